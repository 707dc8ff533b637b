// A stand-in for playLevel in the test program: plays frames until Esc or
// the close request, moving the ball on every frame so that a caller can
// tell a played level from a reloaded one. Weak, so the game's own play
// loop replaces it wherever it is linked.
#include "gfx/frame.h"
#include "level/level.h"
#include "platform/keys.h"
#include "platform/platform.h"
#include "play/play.h"

__attribute__((weak)) std::int32_t playLevel() {
    for (int frame = 0; frame < 10000; ++frame) {
        drawFrame();
        level.ball.x += 1;
        const std::string key = platform().readKey();
        if (key == KeyEsc || key == KeyClose) break;
        platform().sleep(0);
    }
    return 0;
}

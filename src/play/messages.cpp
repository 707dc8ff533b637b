// Floating messages and voice comments of play events.
#include "assets/audio.h"
#include "base/numeric.h"
#include "config/settings.h"
#include "platform/platform.h"
#include "play/play.h"

void addMessage(double x, double y, const std::string& text, float red, float green, float blue) {
    FloatingMessage message;
    // Centred on the ball's centre line at 35 units a character.
    message.x = x + 64 - static_cast<double>(text.size()) * 35 / 2;
    message.y = y + 35;
    message.red = red;
    message.green = green;
    message.blue = blue;
    message.text = text;
    play.floatingMessages.append(message);
}

void idleRule() {
    const LevelObject& ball = level.ball;
    const double now = platform().timer();
    if (ball.x != play.idleX || ball.y != play.idleY) {
        play.idleSince = now;
        play.idleX = ball.x;
        play.idleY = ball.y;
    } else if (play.idleSince != 0 && now - play.idleSince > 10) {
        play.idleSince = now;
        playVoice(25, 27);
    }
}

void playVoice(int from, int to) {
    if (settings.voicesOn != 0) playSound(static_cast<int>(randomInt(from, to)));
}

void playEffect(int sound) {
    if (settings.soundEffectsOn != 0) playSound(sound);
}

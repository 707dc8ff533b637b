#include "gfx/level_panel.h"

#include "base/numeric.h"
#include "config/language.h"
#include "gfx/menu_metrics.h"
#include "gfx/renderer.h"
#include "gfx/text.h"

LevelPanelState levelPanel;

namespace {

int rounded(double value) { return static_cast<int>(nearest(value)); }

std::string number(std::int64_t n) { return std::to_string(n); }

}  // namespace

void setLevelPanelSource(LevelPanelSource source) { levelPanel.source = source; }

std::string completionLine(std::int32_t completions) {
    if (completions == 0) return str(235);
    if (completions == 1) return str(236);
    return str(237) + number(completions) + str(238);
}

void drawLevelPanel(int lineY) {
    if (levelPanel.source == nullptr) return;
    const LevelPanelView view = levelPanel.source();
    const double scale = renderer.yScale;

    // The pack: its name as a label at the top, its lines under it.
    drawTileLine(255, 255, 255, 255, rounded(40 * scale), view.packName + ":", MenuGlyphWidth * scale,
                 MenuGlyphHeight * scale, MenuAdvance * scale, -1, -1);
    const double packTop = 80 * scale;
    drawCentredText(str(229) + view.packRecordHolder + " - " + number(view.packRecord), rounded(packTop + 16),
                    255, 255, 255);
    drawCentredText(str(230) + view.profileName + " - " + number(view.bestTotal), rounded(packTop + 33), 255,
                    255, 255);
    drawCentredText(str(231) + number(view.unfinished), rounded(packTop + 50), 255, 255, 255);
    drawCentredText(str(232) + number(view.skipped), rounded(packTop + 67), 255, 255, 255);

    // The level: its lines under the level label.
    const double levelTop = lineY + 40 * scale;
    drawCentredText(view.levelName, rounded(levelTop + 16), 255, 255, 255);
    drawCentredText(str(233) + view.levelRecordHolder + " - " + number(view.levelRecord), rounded(levelTop + 33),
                    255, 255, 255);
    drawCentredText(str(234) + view.profileName + " - " + number(view.levelBest), rounded(levelTop + 50), 255,
                    255, 255);
    if (view.completions == 0)
        drawCentredText(completionLine(view.completions), rounded(levelTop + 67), 255, 0, 0);
    else
        drawCentredText(completionLine(view.completions), rounded(levelTop + 67), 0, 255, 0);
}

#include "progress/statistics.h"

#include <utility>
#include <vector>

#include "base/bytes.h"
#include "config/paths.h"
#include "config/settings.h"
#include "level/level_packs.h"
#include "progress/profiles.h"

StatisticsState stats;

Bytes encodeStatistics(const Statistics& statistics) {
    ByteWriter out;
    out.i32(statistics.currentLevel);
    for (int i = 1; i <= StatisticsLevels; ++i) {
        out.i32(statistics.levelCompletions[i]);
        out.i32(statistics.levelBest[i]);
    }
    out.i32(statistics.packEndShown);
    out.i32(statistics.packCompleteShown);
    return out.bytes();
}

Statistics decodeStatistics(const Bytes& bytes) {
    // A short file keeps zeros for what it lacks: the reader fails at its end
    // and every later read gives 0.
    Statistics statistics;
    ByteReader in(bytes);
    statistics.currentLevel = in.i32();
    for (int i = 1; i <= StatisticsLevels; ++i) {
        statistics.levelCompletions[i] = in.i32();
        statistics.levelBest[i] = in.i32();
    }
    statistics.packEndShown = in.i32();
    statistics.packCompleteShown = in.i32();
    return statistics;
}

namespace {

const char* const StatisticsExtension = ".sts";

const std::string* currentProfileName() {
    const List<std::string>& profiles = profileState.profiles;
    return profiles.valid(settings.currentProfile) ? &profiles[settings.currentProfile] : nullptr;
}

// Every statistics file of the current pack with the profile it belongs to,
// in listing order. A file that cannot be read counts as all zeros.
template <typename Visit>
void forEachStatisticsFile(Visit visit) {
    const std::string folder = packFolder();
    const std::string extension = StatisticsExtension;
    for (const std::string& file : listFolder(folder, "*.sts", EntryKind::Files)) {
        Bytes bytes;
        readFile(folder + file, bytes);
        visit(file.substr(0, file.size() - extension.size()), decodeStatistics(bytes));
    }
}

// Exchanges the entries of levels a and b, and a stored level of either.
// A level beyond 999 has no entry: its side of the exchange is an empty one.
void swapLevels(Statistics& s, int a, int b) {
    auto entryOf = [&s](int n) {
        return n >= 1 && n <= StatisticsLevels ? std::make_pair(s.levelCompletions[n], s.levelBest[n])
                                               : std::make_pair(0, 0);
    };
    auto store = [&s](int n, std::pair<std::int32_t, std::int32_t> entry) {
        if (n < 1 || n > StatisticsLevels) return;
        s.levelCompletions[n] = entry.first;
        s.levelBest[n] = entry.second;
    };
    const auto entryA = entryOf(a);
    store(a, entryOf(b));
    store(b, entryA);
    if (s.currentLevel == a)
        s.currentLevel = b;
    else if (s.currentLevel == b)
        s.currentLevel = a;
}

}  // namespace

void shiftStatistics(Statistics& s, LevelShift shift, int level) {
    switch (shift) {
    case LevelShift::Removed:
        if (s.currentLevel > level) --s.currentLevel;
        for (int i = level; i >= 1 && i <= StatisticsLevels; ++i) {
            const bool last = i == StatisticsLevels;
            s.levelCompletions[i] = last ? 0 : s.levelCompletions[i + 1];
            s.levelBest[i] = last ? 0 : s.levelBest[i + 1];
        }
        break;
    case LevelShift::SwappedWithPrevious:
        swapLevels(s, level - 1, level);
        break;
    case LevelShift::SwappedWithNext:
        swapLevels(s, level, level + 1);
        break;
    }
}

std::string statisticsFileName(const std::string& name) {
    return packFolder() + name + StatisticsExtension;
}

void loadStatistics() {
    stats.progress = Statistics();
    const std::string* name = currentProfileName();
    Bytes bytes;
    if (name == nullptr || !readFile(statisticsFileName(*name), bytes)) {
        packs.currentLevel = 1;
        return;
    }
    stats.progress = decodeStatistics(bytes);
    // A cut or damaged file may name no level of the pack; the player then
    // goes on from the nearest one instead of from a level that is not there.
    std::int32_t stored = stats.progress.currentLevel;
    if (stored > packs.levelCount) stored = packs.levelCount;
    if (stored < 1) stored = 1;
    packs.currentLevel = stored;
}

bool saveStatistics() {
    const std::string* name = currentProfileName();
    if (name == nullptr) return false;
    stats.progress.currentLevel = packs.currentLevel;
    return writeFileSafely(statisticsFileName(*name), encodeStatistics(stats.progress),
                           StatisticsScratchFile);
}

void computePackRecord() {
    // Totals of 999 scores are summed in 64 bits: a damaged file must not
    // overflow them.
    std::int64_t best = 0;
    std::string holder;
    bool any = false;
    forEachStatisticsFile([&](const std::string& profile, const Statistics& file) {
        std::int64_t total = 0;
        for (int i = 1; i <= StatisticsLevels; ++i) total += file.levelBest[i];
        if (!any || total > best) {
            best = total;
            holder = profile;
            any = true;
        }
    });
    const std::int64_t defaultRecord = static_cast<std::int64_t>(packs.levelCount) * DefaultLevelRecord;
    if (!any || best < defaultRecord) {
        best = defaultRecord;
        holder = DefaultRecordHolder;
    }
    stats.packRecord = best;
    stats.packRecordHolder = holder;
}

void computeLevelRecord() {
    const int levelNumber = packs.currentLevel;
    const bool stored = levelNumber >= 1 && levelNumber <= StatisticsLevels;
    std::int32_t best = 0;
    std::string holder;
    bool any = false;
    forEachStatisticsFile([&](const std::string& profile, const Statistics& file) {
        const std::int32_t score = stored ? file.levelBest[levelNumber] : 0;
        if (!any || score > best) {
            best = score;
            holder = profile;
            any = true;
        }
    });
    if (!any || best < DefaultLevelRecord) {
        best = DefaultLevelRecord;
        holder = DefaultRecordHolder;
    }
    stats.levelRecord = best;
    stats.levelRecordHolder = holder;
}

bool shiftLevelStatistics(LevelShift shift) {
    const std::string folder = packFolder();
    struct Rewrite {
        std::string path;
        Bytes before;
    };
    std::vector<Rewrite> files;
    for (const std::string& name : listFolder(folder, "*.sts", EntryKind::Files)) {
        Rewrite file{folder + name, {}};
        if (readFile(file.path, file.before)) files.push_back(std::move(file));
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        Statistics statistics = decodeStatistics(files[i].before);
        shiftStatistics(statistics, shift, packs.currentLevel);
        if (writeFileSafely(files[i].path, encodeStatistics(statistics), "tempstat.tmp")) continue;
        for (std::size_t j = 0; j < i; ++j) writeFileSafely(files[j].path, files[j].before, "tempstat.tmp");
        return false;
    }
    return true;
}

void replaceProfilePack(const std::string& oldPack, const std::string& newPack) {
    const std::string wanted = comparableName(oldPack);
    for (const std::string& name : listFolder(paths.dataFolder, "*.alp", EntryKind::Files)) {
        std::string contents;
        if (!readTextFile(paths.dataFolder + name, contents)) continue;
        const std::string storedPack = contents.substr(0, contents.find_first_of("\r\n"));
        if (comparableName(storedPack) == wanted)
            writeFileSafely(paths.dataFolder + name, newPack + "\r\n");
    }
}

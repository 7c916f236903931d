#include "app/weakblock.h"

#include "keyboard/keytable.h"
#include "practice/sources.h"
#include "ui/randomsource.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace weakblock {

namespace {

const QString homeRow = QStringLiteral("asdfjkl;");
const QString digits = QStringLiteral("0123456789");
constexpr int neighbours = 3; // characters typed next to a key that its groups take
constexpr int fewestInGroup = 4, mostInGroup = 6;

// A whole number in [0, n) from a draw.
int pick(RandomSource& random, int n)
{
    return std::clamp(int(std::floor(random.next() * float(n))), 0, n - 1);
}

// One of the keys, the weakest most often: weights n, n - 1, ..., 1.
QChar drawKey(const QString& keys, RandomSource& random)
{
    const int n = int(keys.size());
    int ticket = pick(random, n * (n + 1) / 2);
    for (int i = 0;; ++i) {
        ticket -= n - i;
        if (ticket < 0 || i == n - 1) return keys.at(i);
    }
}

// Each key's place in the keys, -1 for other characters: one look-up for every character of a
// file of 32,767 lines. The keys are all on the keyboard, so ASCII.
class KeyIndex {
public:
    explicit KeyIndex(const QString& keys)
    {
        table_.fill(-1);
        for (qsizetype i = 0; i < keys.size(); ++i)
            if (keys.at(i).unicode() < 128) table_[keys.at(i).unicode()] = qint8(i);
    }
    int operator()(QChar c) const { return c.unicode() < 128 ? table_[c.unicode()] : -1; }

private:
    std::array<qint8, 128> table_;
};

int hits(const QString& line, const KeyIndex& keys)
{
    return int(std::count_if(line.begin(), line.end(), [&](QChar c) { return keys(c) >= 0; }));
}

// Per key: the home row and the characters most often typed just before or after it in the
// lines, or the keys beside it on the board when the lines never hold it.
QStringList companions(const QString& keys, const QStringList& lines)
{
    const KeyIndex index(keys);
    std::vector<std::array<int, 128>> counts(keys.size(), std::array<int, 128>{});
    for (const QString& line : lines)
        for (qsizetype i = 0; i < line.size(); ++i) {
            const int k = index(line.at(i));
            if (k < 0) continue;
            for (qsizetype j : {i - 1, i + 1})
                if (j >= 0 && j < line.size() && line.at(j) != u' ' && onAKey(line.at(j)))
                    ++counts[k][line.at(j).unicode()];
        }
    QStringList result;
    for (qsizetype k = 0; k < keys.size(); ++k) {
        QString near;
        for (int n = 0; n < neighbours; ++n) {
            const auto most = std::max_element(counts[k].begin(), counts[k].end());
            if (*most == 0) break;
            near += QChar(char16_t(most - counts[k].begin()));
            *most = 0;
        }
        if (near.isEmpty()) {
            const int key = keyForCode(charCode(keys.at(k)));
            for (int side : {key - 1, key + 1})
                if (key >= 0 && side >= 0 && side < spaceKey &&
                    keyTable[side].top == keyTable[key].top && keyTable[side].unshifted != noChar)
                    near += QChar(char16_t(keyTable[side].unshifted));
        }
        result << homeRow + near;
    }
    return result;
}

QString drillLine(const QString& keys, const QStringList& near, RandomSource& random, int width)
{
    QString line;
    for (;;) {
        const int size =
            std::min(width, fewestInGroup + pick(random, mostInGroup - fewestInGroup + 1));
        if (!line.isEmpty() && line.size() + 1 + size > width) return line;
        const int first = pick(random, 2); // a key first, or second
        qsizetype key = 0;
        if (!line.isEmpty()) line += u' ';
        for (int j = 0; j < size; ++j) {
            if ((j + first) % 2 == 0) {
                const QChar c = drawKey(keys, random);
                key = keys.indexOf(c);
                line += c;
            } else {
                const QString& from = near[key];
                line += from.at(pick(random, int(from.size())));
            }
        }
    }
}

// Like a line of the numeric file: groups of four digits, two places of each a key.
QString digitLine(const QString& keys, RandomSource& random)
{
    QString line;
    for (int group = 0; group < practicetext::tenkeyLineLength / 5; ++group) {
        QString four;
        for (int j = 0; j < 4; ++j)
            four += digits.at(pick(random, 10));
        const int a = pick(random, 4);
        four[a] = drawKey(keys, random);
        four[(a + 1 + pick(random, 3)) % 4] = drawKey(keys, random);
        if (!line.isEmpty()) line += u' ';
        line += four;
    }
    return line;
}

struct Candidate {
    QString line;
    double density = 0.0;
};

// The lines of the file that hold a key, fit and could be shown, the densest `pool` of them.
std::vector<Candidate> densest(const QStringList& lines, const KeyIndex& keys, int width)
{
    std::vector<Candidate> found;
    const qsizetype shown = lines.size() > blockLines ? lines.size() - 1 : lines.size();
    for (qsizetype i = 0; i < shown; ++i) {
        QString line = lines.at(i);
        while (line.endsWith(u' '))
            line.chop(1);
        if (line.isEmpty() || line.size() > width) continue;
        if (const int n = hits(line, keys)) found.push_back({line, double(n) / line.size()});
    }
    const auto end = found.begin() + std::min<std::ptrdiff_t>(pool, std::ssize(found));
    std::partial_sort(found.begin(), end, found.end(),
                      [](const Candidate& a, const Candidate& b) { return a.density > b.density; });
    found.erase(end, found.end());
    return found;
}

} // namespace

bool usable(int level, QChar c)
{
    if (practice::level(level).randomDigits) return c >= u'0' && c <= u'9';
    return c != u' ' && onAKey(c);
}

double share(const PracticeBlock& block, const QString& keys)
{
    const KeyIndex index(keys);
    int all = 0, ours = 0;
    for (const QString& line : block.linetext) {
        all += int(line.size());
        ours += hits(line, index);
    }
    return all > 0 ? double(ours) / all : 0.0;
}

PracticeBlock make(int level, const QStringList& lines, const QString& keys, RandomSource& random,
                   int width)
{
    if (keys.isEmpty()) return practicetext::pickBlock(lines, random.next());
    QStringList block;
    if (practice::level(level).randomDigits) {
        for (int i = 0; i < blockLines; ++i)
            block << digitLine(keys, random);
        return practicetext::pickBlock(block, 0.0f);
    }
    // Five of the densest, in the order drawn.
    const KeyIndex index(keys);
    std::vector<Candidate> pool = densest(lines, index, width);
    std::vector<Candidate> chosen;
    while (std::ssize(chosen) < blockLines && !pool.empty()) {
        const auto at = pool.begin() + pick(random, int(pool.size()));
        chosen.push_back(*at);
        pool.erase(at);
    }
    int all = 0, ours = 0;
    for (const Candidate& c : chosen) {
        all += int(c.line.size());
        ours += hits(c.line, index);
    }
    QStringList near; // the file read through once, only when a drill line is needed
    const int drillSize = std::min(width, drillWidth);
    QStringList drills;
    // Drill lines hold a third of keys or more: the sparsest file lines give way to them.
    while (std::ssize(chosen) + drills.size() < blockLines ||
           (ours < leastShare * all && !chosen.empty())) {
        if (near.isEmpty()) near = companions(keys, lines);
        if (std::ssize(chosen) + drills.size() == blockLines) {
            const auto sparsest = std::min_element(
                chosen.begin(), chosen.end(),
                [](const Candidate& a, const Candidate& b) { return a.density < b.density; });
            all -= int(sparsest->line.size());
            ours -= hits(sparsest->line, index);
            chosen.erase(sparsest);
        }
        drills << drillLine(keys, near, random, drillSize);
        all += int(drills.last().size());
        ours += hits(drills.last(), index);
    }
    for (const Candidate& c : chosen)
        block << c.line;
    return practicetext::pickBlock(block + drills, 0.0f);
}

LoadResult load(int level, const QString& directory, const QString& keys, RandomSource& random,
                int width)
{
    LoadResult result;
    QStringList lines;
    if (level != 4) lines = practicetext::levelLines(level, directory, result);
    if (result.problem == LoadProblem::None) result.block = make(level, lines, keys, random, width);
    return result;
}

} // namespace weakblock

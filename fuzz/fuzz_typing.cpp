// The judging loop: a practice block and a stream of key presses, releases, option toggles,
// restarts and clicks, with the window's share of the work done by a fake view.
//
// Input: one flags byte, a block, then events until the bytes run out. A block is a line
// count and, per line, a token count and tokens (a character, and in long lines a repeat
// count, so lines can pass the 16-bit limits). An event is one opcode byte plus operands;
// opcodes with the top three bits set repeat the following event up to 65535 times.

#include "app/practicetext.h"
#include "fuzz/fuzzsupport.h"
#include "keyboard/colorguide.h"
#include "keyboard/keyguide.h"
#include "keyboard/keytable.h"
#include "typing/runstate.h"
#include "typing/typingengine.h"
#include "typing/typingview.h"

#include <QStringList>
#include <array>
#include <iterator>
#include <limits>

namespace {

constexpr int lines = 5;
constexpr qint16 maxCount = 32767;
constexpr int maxSteps = 40000;
// Characters generated for all blocks of one input together, so restarts stay cheap.
constexpr int maxChars = 200000;
// Lines longer than this are compared incrementally, so long lines stay linear.
constexpr int fullCompareLimit = 512;

// What a practice file can hold once decoded: no yen sign or overline, which the code page
// never produces, but controls, kana and full-width characters it does.
constexpr char16_t lineAlphabet[] = {
    u' ', u'a', u'f', u'j', u'k', u'A',  u'Z',   u'1',   u'0',   u'\\',  u'|', u'~',
    u'_', u'@', u'`', u'^', u'-', u'=',  u';',   u':',   u',',   u'.',   u'/', u'?',
    u'!', u'"', u'}', u'[', u'+', u'\t', 0xFF71, 0x3042, 0x3000, 0x001C, u' ', u' '};

// What an input box can pass on: Backspace, Enter and Escape as controls, the JIS yen and
// overline keys, the replacement for a surrogate half, and printable characters.
constexpr char16_t typedAlphabet[] = {
    8,    13,   27,   0x00A5, 0x203E, 0xFFFD, 0x3042, 0xFF71, 0x3000, u' ', u'a', u'f', u'j',
    u'A', u'Z', u'1', u'\\',  u'|',   u'~',   u'_',   u'@',   u'`',   u'^', u';', u':', u'?'};

struct Harness {
    RunState run;
    KeyGuide guide;
    bool skip = true;
    int focus = 0;
    std::array<QString, lines> boxes;
    int steps = 0;
    int charsLeft = maxChars;

    // What the counters must be, worked out from the events alone.
    qint16 expectInput = 0;
    qint16 expectMiss = 0;
    // Characters left to count: exact while the block's length fits 16 bits. Past that the
    // count starts at its limit, and all that holds is that it only falls, by at most one
    // for each skipped space, and never below zero.
    int expectMoji = 0;
    bool mojiExact = true;
    qint16 lastMoji = 0;
    int skipsSinceCheck = 0;
    quint32 expectFinished = 0;
    int startTimes = 0;
    int lastNowcnt = 0;

    void checkState();
    void checkFinishedLines(int from, int to);
};

class FakeView : public TypingView {
public:
    explicit FakeView(Harness& h) : h_(h) {}

    float now() const override { return clock_ += 0.25f; }
    bool flgspace() const override { return h_.skip; }
    void beep() override {}
    void startTimeDisplay() override
    {
        FUZZ_CHECK(!h_.run.flgstart);
        ++h_.startTimes;
        FUZZ_CHECK(h_.startTimes == 1);
    }
    void focusLine(int line) override
    {
        FUZZ_CHECK(line >= 0 && line < lines);
        FUZZ_CHECK(line == h_.run.nowcnt);
        h_.focus = line;
    }
    void round(int inputcode) override
    {
        // The guide always frames the key of the character to type next.
        const QChar next = h_.run.expected();
        FUZZ_CHECK(inputcode == (next.isNull() ? -1 : charCode(next)));
        h_.guide.round(inputcode);
        FUZZ_CHECK(h_.guide.Index >= -1 && h_.guide.Index < keyCount);
        FUZZ_CHECK(h_.guide.Index == keyForCode(inputcode));
        FUZZ_CHECK(h_.guide.prevkey >= -1 && h_.guide.prevkey < keyCount);
        if (h_.guide.Index != -1) FUZZ_CHECK(h_.guide.prevkey == h_.guide.Index);
    }
    void Color() override
    {
        // As the window does it: the last line's place stands in once the block is done.
        const int line = std::min<int>(h_.run.nowcnt, 4);
        const auto tag = ::Color(h_.guide.Index, h_.run.nowcnt, h_.run.pos, 480, 600 + 960 * line);
        if (h_.run.nowcnt <= 4 && h_.guide.Index >= 0) {
            FUZZ_CHECK(tag.has_value());
            FUZZ_CHECK(tag->left == 480 + 50 + qint32(h_.run.pos) * 165);
        } else {
            FUZZ_CHECK(!tag.has_value());
        }
    }
    void endRun() override
    {
        FUZZ_CHECK(h_.run.nowcnt == 5);
        FUZZ_CHECK(h_.run.flgresult);
        ++h_.expectFinished;
        FUZZ_CHECK(h_.run.finishedRuns == h_.expectFinished);
    }
    void openResults() override { FUZZ_CHECK(h_.run.isDone()); }
    QString boxText(int line) const override
    {
        FUZZ_CHECK(line >= 0 && line < lines);
        return h_.boxes[line];
    }
    void setBoxText(int line, const QString& text) override
    {
        FUZZ_CHECK(line >= 0 && line < lines);
        FUZZ_CHECK(text.size() <= h_.run.linetext[line].size());
        // Skipping a space only ever adds to what is there.
        QString& box = h_.boxes[line];
        FUZZ_CHECK(text.size() == box.size() + 1 && text.startsWith(box));
        // Appended rather than assigned: the box keeps its spare room, so a long line costs
        // one copy per skipped space (the engine's) instead of three.
        box.append(text.back());
    }
    void moveCaretToEnd(int line) override { FUZZ_CHECK(line >= 0 && line < lines); }

private:
    Harness& h_;
    mutable float clock_ = 36000.0f;
};

void Harness::checkFinishedLines(int from, int to)
{
    for (int j = from; j < to && j < lines; ++j)
        FUZZ_CHECK(boxes[j] == run.linetext[j]);
}

void Harness::checkState()
{
    FUZZ_CHECK(run.nowcnt >= 0 && run.nowcnt <= 5);
    FUZZ_CHECK(run.nowcnt >= lastNowcnt); // the cursor never goes back within a run
    if (run.nowcnt > lastNowcnt) checkFinishedLines(lastNowcnt, run.nowcnt);
    lastNowcnt = run.nowcnt;

    if (run.nowcnt <= 4) {
        const int len = run.linelen[run.nowcnt];
        FUZZ_CHECK(len == run.linetext[run.nowcnt].size());
        if (len > 0)
            FUZZ_CHECK(run.pos >= 1 && run.pos <= len);
        else
            FUZZ_CHECK(run.pos == 1);
    } else {
        FUZZ_CHECK(run.pos == 1);
    }

    FUZZ_CHECK(run.inputcnt >= 0 && run.misscnt >= 0);
    FUZZ_CHECK(run.misscnt <= run.inputcnt);
    FUZZ_CHECK(run.inputcnt == expectInput);
    FUZZ_CHECK(run.misscnt == expectMiss);
    if (mojiExact) FUZZ_CHECK(run.mojicnt == expectMoji);
    FUZZ_CHECK(run.mojicnt <= lastMoji && run.mojicnt >= lastMoji - skipsSinceCheck);
    lastMoji = run.mojicnt;
    skipsSinceCheck = 0;
    FUZZ_CHECK(run.mojicnt >= 0);
    FUZZ_CHECK(run.finishedRuns == expectFinished);
    FUZZ_CHECK(guide.Index >= -1 && guide.Index < keyCount);
    FUZZ_CHECK(guide.prevkey >= -1 && guide.prevkey < keyCount);

    // Boxes: finished lines whole, the current one up to the cursor, later ones empty.
    for (int j = 0; j < lines; ++j) {
        const QString& box = boxes[j];
        const QString& text = run.linetext[j];
        FUZZ_CHECK(box.size() <= text.size());
        if (j < run.nowcnt) {
            FUZZ_CHECK(box.size() == text.size());
        } else if (j == run.nowcnt) {
            FUZZ_CHECK(box.size() == run.pos - 1);
            if (text.size() <= fullCompareLimit)
                FUZZ_CHECK(text.startsWith(box));
            else if (!box.isEmpty())
                FUZZ_CHECK(box.back() == text.at(box.size() - 1));
        } else {
            FUZZ_CHECK(box.isEmpty());
        }
    }
}

QStringList readLines(fuzz::Bytes& in, int& charsLeft)
{
    QStringList out;
    const int count = in.u8() % 7; // a sixth line is never part of the block
    for (int i = 0; i < count; ++i) {
        const uint8_t header = in.u8();
        const int tokens = header & 0x1F;
        const bool longLine = header & 0x80;
        QString line;
        for (int t = 0; t < tokens; ++t) {
            const QChar c(lineAlphabet[in.u8() % std::size(lineAlphabet)]);
            const int reps = std::min<int>(longLine ? in.u16() : 1, charsLeft);
            charsLeft -= reps;
            line.append(QString(reps, c));
        }
        out.append(line);
    }
    return out;
}

// The window's load: new block, counters cleared, boxes emptied, the first box focused.
void load(Harness& h, FakeView& view, const QStringList& text, bool failed)
{
    const PracticeBlock block = failed ? PracticeBlock{} : practicetext::pickBlock(text, 0.0f);
    RunState& run = h.run;
    h.guide.resetForLoad();
    run.resetForLoad();
    FUZZ_CHECK(run.flgstart && run.nowcnt == 0 && run.pos == 1 && run.inputcnt == 0 &&
               run.misscnt == 0 && run.mojicnt == 0 && !run.flgnotext);
    run.flgnotext = failed;
    run.linetext = block.linetext;
    run.linelen = block.linelen;
    run.mojicnt = block.mojicnt;
    h.boxes = {};
    h.focus = 0;
    h.expectInput = 0;
    h.expectMiss = 0;
    int sum = 0;
    for (int k = 0; k < lines; ++k)
        sum += block.linelen[k];
    h.expectMoji = sum;
    h.mojiExact = sum <= maxCount;
    h.lastMoji = block.mojicnt;
    h.skipsSinceCheck = 0;
    h.startTimes = 0;
    h.lastNowcnt = 0;
    if (!run.flgnotext && !run.linetext[0].isEmpty()) view.round(charCode(run.linetext[0].at(0)));
}

// The window's first tick: move past leading blank lines and guide the first key. False
// when every line is blank, which the window answers with another load.
bool firstTick(Harness& h, FakeView& view)
{
    RunState& run = h.run;
    while (run.linetext[run.nowcnt].isEmpty()) {
        ++run.nowcnt;
        if (run.nowcnt == 5) return false;
    }
    view.focusLine(run.nowcnt);
    view.round(charCode(run.linetext[run.nowcnt].at(run.pos - 1)));
    view.Color();
    h.lastNowcnt = run.nowcnt;
    return true;
}

// Loads blocks from the input until one has text; false when the input ran out first.
bool restart(Harness& h, FakeView& view, TypingEngine& engine, fuzz::Bytes& in)
{
    while (!in.empty()) {
        const bool failed = in.u8() == 0xFF;
        load(h, view, readLines(in, h.charsLeft), failed);
        h.checkState();
        if (failed) {
            // With no text the boxes take no key at all.
            FUZZ_CHECK(!engine.txtin_KeyPress(u'a'));
            h.checkState();
        }
        if (firstTick(h, view)) return true;
    }
    return false;
}

QChar expectedKey(const Harness& h, bool variant)
{
    QChar c = h.run.expected();
    if (c.isNull()) return u'a';
    // The JIS yen and overline keys stand for the backslash and tilde.
    if (variant && c == u'\\') return QChar(0x00A5);
    if (variant && c == u'~') return QChar(0x203E);
    return c;
}

// Returns whether the character was kept.
bool press(Harness& h, TypingEngine& engine, QChar typed)
{
    const bool done = h.run.isDone();
    if (!done) FUZZ_CHECK(h.focus == h.run.nowcnt);
    const int line = h.focus;
    const qint16 posBefore = h.run.pos;
    const bool accepted = engine.txtin_KeyPress(typed);
    if (!done) {
        if (h.expectInput < maxCount) ++h.expectInput;
        if (!accepted && h.expectMiss < maxCount) ++h.expectMiss;
    }
    // A kept character enters the box that had the focus when the key went down.
    if (accepted) {
        FUZZ_CHECK(!done);
        FUZZ_CHECK(h.boxes[line].size() == posBefore - 1);
        h.boxes[line] += TypingEngine::typedCharacter(typed);
    }
    return accepted;
}

// The right key, or its JIS twin, is never a miss while there is text to type.
void pressExpected(Harness& h, TypingEngine& engine, bool variant)
{
    const bool typeable = !h.run.isDone() && !h.run.expected().isNull();
    const bool accepted = press(h, engine, expectedKey(h, variant));
    if (typeable) FUZZ_CHECK(accepted);
}

void release(Harness& h, TypingEngine& engine)
{
    const qint16 posBefore = h.run.pos;
    const int lineBefore = h.run.nowcnt;
    engine.txtin_KeyUp();
    FUZZ_CHECK(h.run.nowcnt == lineBefore);
    if (h.run.pos != posBefore) {
        // Only a space waiting under the cursor is passed over, one at a time.
        FUZZ_CHECK(h.skip && h.run.pos == posBefore + 1);
        FUZZ_CHECK(h.run.linetext[lineBefore].at(posBefore - 1) == u' ');
        --h.expectMoji;
        ++h.skipsSinceCheck;
    }
}

enum class Kind { PressExpected, PressTyped, Release, Keystroke, ToggleSkip, Click };

struct Event {
    Kind kind;
    QChar typed;
    int box = 0;
    bool keyVariant = false;
};

void apply(Harness& h, TypingEngine& engine, const Event& e)
{
    switch (e.kind) {
    case Kind::PressExpected: pressExpected(h, engine, e.keyVariant); break;
    case Kind::PressTyped: press(h, engine, e.typed); break;
    case Kind::Release: release(h, engine); break;
    case Kind::Keystroke:
        pressExpected(h, engine, e.keyVariant);
        h.checkState();
        release(h, engine);
        break;
    case Kind::ToggleSkip: h.skip = !h.skip; break;
    case Kind::Click: {
        // The click focuses the box; letting go sends the focus back to the current line.
        const RunState before = h.run;
        h.focus = e.box;
        if (!h.run.flgnotext && h.run.nowcnt <= 4 && e.box != h.run.nowcnt) h.focus = h.run.nowcnt;
        FUZZ_CHECK(h.run.nowcnt == before.nowcnt && h.run.pos == before.pos &&
                   h.run.inputcnt == before.inputcnt && h.run.misscnt == before.misscnt);
        break;
    }
    }
    h.checkState();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Bytes in(data, size);
    Harness h;
    FakeView view(h);
    TypingEngine engine(h.run, view);
    h.skip = in.u8() & 1;
    if (!restart(h, view, engine, in)) return 0;

    while (!in.empty() && h.steps < maxSteps) {
        uint8_t op = in.u8();
        int repeat = 1;
        if ((op & 0xE0) == 0xE0) {
            repeat = in.u16();
            op = in.u8();
        }
        Event e{Kind::Release, QChar(), 0, bool(op & 0x10)};
        switch (op % 8) {
        case 0:
        case 1: e.kind = Kind::PressExpected; break;
        case 2:
            e.kind = Kind::PressTyped;
            e.typed = QChar(typedAlphabet[in.u8() % std::size(typedAlphabet)]);
            break;
        case 3: e.kind = Kind::Release; break;
        case 4: e.kind = Kind::Keystroke; break;
        case 5: e.kind = Kind::ToggleSkip; break;
        case 6:
            // A new load, as from the retry menu or the results window.
            if (!restart(h, view, engine, in)) return 0;
            ++h.steps;
            continue;
        case 7:
            e.kind = Kind::Click;
            e.box = in.u8() % lines;
            break;
        }
        for (int i = 0; i < repeat && h.steps < maxSteps; ++i, ++h.steps)
            apply(h, engine, e);
    }
    return 0;
}

#include "journal/frmjournal.h"

#include "charts/chartlibrary.h"
#include "charts/journalchart.h"
#include "journal/journal.h"
#include "journal/journalcsv.h"
#include "journal/progress.h"
#include "journal/runcolumns.h"
#include "journal/runtablemodel.h"
#include "journal/weakkeyboard.h"
#include "journal/weakkeys.h"
#include "practice/sources.h"
#include "ui/fonts.h"
#include "ui/formsupport.h"
#include "ui/messagebox.h"
#include "ui/placement.h"
#include "ui/twips.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QTableView>
#include <QTimer>

namespace {

struct JournalCaptions {
    QString form = QStringLiteral("練習の記録");
    QString lbllevel = QStringLiteral("練習(&L)");
    QString lblkind = QStringLiteral("種類(&K)");
    // The choices of cbokind: every run of the level, then each kind but a text's.
    std::array<QString, 3> kinds{QStringLiteral("すべて"), QStringLiteral("通常の練習"),
                                 QStringLiteral("苦手キーの練習")};
    QString lblsort = QStringLiteral("並べ替え(&S)");
    QString descending = QStringLiteral("大きい順・新しい順");
    QString ascending = QStringLiteral("小さい順・古い順");
    QString cmdkeycsv = QStringLiteral("キー別 CSV…");
    QString cmdcsv = QStringLiteral("CSV に書き出す…");
    QString saveTitle = QStringLiteral("CSV に書き出す");
    QString saveFilter = QStringLiteral("CSV (*.csv)");
    QString saveSuffix = QStringLiteral("csv");
    QString runsName = QStringLiteral("dovanel-%1");        // the level's or text's name
    QString keysName = QStringLiteral("dovanel-%1-キー別"); // the level's or text's name
    QString lblempty = QStringLiteral("まだ記録がありません。\n"
                                      "練習を最後まで終えると、ここに記録されます。");
    QString fraweak = QStringLiteral("苦手なキー（最近%1回のミス率と、前半から後半への変化）");
    QString noWeakKeys = QStringLiteral("ミスはありません");
    QString fewKeystrokes = QStringLiteral("%1打鍵未満のキーは挙げていません");
    // By weakkeys::Trend.
    std::array<QString, 4> trends{QString(), QStringLiteral("　改善"), QStringLiteral("　横ばい"),
                                  QStringLiteral("　悪化")};
    QString cmdweak = QStringLiteral("苦手キーで練習");
};
const JournalCaptions& captions()
{
    static const JournalCaptions c;
    return c;
}

using twips::Box;

struct JournalGeometry {
    double clientWidth = 14400, clientHeight = 10380;
    // What is shown, along the top.
    Box lbllevel{120, 150, 900, 300};
    Box cbolevel{1020, 100, 2580, 360};
    Box lblkind{3780, 150, 900, 300};
    Box cbokind{4680, 100, 1980, 360};
    Box lblsort{6840, 150, 1260, 300};
    Box cbosort{8100, 100, 3600, 360};
    Box cmdorder{11880, 100, 2400, 360};
    Box chart{120, 600, 6600, 4500};
    Box fraweak{6840, 540, 7440, 4560};
    Box keyboard{120, 300, 7200, 2760}; // inside fraweak, its legend included
    Box lblweak{240, 3120, 7080, 1380}; // inside fraweak
    Box grdruns{120, 5220, 14160, 4560};
    // What can be done with it, along the bottom.
    Box cmdweak{7680, 9900, 2160, 360};
    Box cmdkeycsv{9900, 9900, 2160, 360};
    Box cmdcsv{12120, 9900, 2160, 360};
    // Twips per column of grdruns, in the order of runcolumns.
    std::array<double, runcolumns::count> columnWidths{2300, 1500, 1100, 1100, 1100,
                                                       1400, 2300, 1000, 1400};
    double rowHeight = 300;
    double points = 9;
    double weakPoints = 10.5;
};
const JournalGeometry journalGeometry;

// A control of the window at its place in the design, named as in the design.
template <typename Control> Control* place(Control* control, const char* name, const Box& box)
{
    control->setObjectName(QLatin1String(name));
    control->setGeometry(box.pixels());
    return control;
}

// The board the runs were typed on: the keypad once most of their keys came from it.
WeakKeyboard::Board boardOf(const QList<RunFigures>& runs)
{
    int keypad = 0, keystrokes = 0;
    for (const RunFigures& run : runs)
        keypad += run.keypadKeys, keystrokes += run.keystrokes;
    return 2 * keypad > keystrokes ? WeakKeyboard::Board::Keypad : WeakKeyboard::Board::Full;
}

} // namespace

JournalWindow::JournalWindow(Journal& journal)
{
    const JournalCaptions& c = captions();
    const JournalGeometry& g = journalGeometry;
    setObjectName(QStringLiteral("frmjournal"));
    setWindowTitle(c.form);
    formsupport::fixDialogFrame(this, g.clientWidth, g.clientHeight);
    setFont(fonts::design(fonts::proportionalGothic, g.points));

    cbolevel = place(new QComboBox(this), "cbolevel", g.cbolevel);
    place(new QLabel(c.lbllevel, this), "lbllevel", g.lbllevel)->setBuddy(cbolevel);
    cbokind = place(new QComboBox(this), "cbokind", g.cbokind);
    for (const QString& caption : c.kinds)
        cbokind->addItem(caption);
    place(new QLabel(c.lblkind, this), "lblkind", g.lblkind)->setBuddy(cbokind);
    cbosort = place(new QComboBox(this), "cbosort", g.cbosort);
    for (const QString& caption : runcolumns::captions)
        cbosort->addItem(caption);
    place(new QLabel(c.lblsort, this), "lblsort", g.lblsort)->setBuddy(cbosort);
    cmdorder = place(new QPushButton(this), "cmdorder", g.cmdorder);
    cmdkeycsv = place(new QPushButton(c.cmdkeycsv, this), "cmdkeycsv", g.cmdkeycsv);
    cmdcsv = place(new QPushButton(c.cmdcsv, this), "cmdcsv", g.cmdcsv);
    cmdweak = place(new QPushButton(c.cmdweak, this), "cmdweak", g.cmdweak);
    for (QPushButton* button : {cmdorder, cmdkeycsv, cmdcsv, cmdweak})
        button->setAutoDefault(false);

    chart = JournalChart::make(this);
    if (chart) place(chart->widget(), "chart", g.chart);
    lblempty = place(new QLabel(c.lblempty, this), "lblempty", g.chart);
    lblempty->setAlignment(Qt::AlignCenter);

    runs = new RunTableModel(journal, this);
    grdruns = place(new QTableView(this), "grdruns", g.grdruns);
    grdruns->setModel(runs);
    grdruns->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdruns->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdruns->verticalHeader()->hide();
    // Fixed row heights: the view never measures a hundred thousand rows.
    grdruns->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grdruns->verticalHeader()->setDefaultSectionSize(twips::toPixels(g.rowHeight));
    for (int col = 0; col < runcolumns::count; ++col)
        grdruns->setColumnWidth(col, twips::toPixels(g.columnWidths[col]));
    grdruns->horizontalHeader()->setSortIndicator(runcolumns::Finished, Qt::DescendingOrder);
    grdruns->setSortingEnabled(true);

    fraweak = place(new QGroupBox(c.fraweak.arg(weakkeys::recentRuns), this), "fraweak", g.fraweak);
    keyboard = place(new WeakKeyboard(fraweak), "keyboard", g.keyboard);
    lblweak = place(new QLabel(fraweak), "lblweak", g.lblweak);
    lblweak->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblweak->setFont(fonts::design(fonts::gothic, g.weakPoints));
    const QWidget* const order[]{cbolevel, cbokind, cbosort,   cmdorder,
                                 grdruns,  cmdweak, cmdkeycsv, cmdcsv};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(const_cast<QWidget*>(order[i - 1]), const_cast<QWidget*>(order[i]));
}

frmjournal::frmjournal(Journal& journal, MessageBoxes& messages)
    : FormHolder(Closing::Hides), journal_(journal), messages_(messages)
{
    connect(&journal_, &Journal::recorded, this, [this](const QList<JournalEntry>& entries) {
        if (isOpen()) add(entries);
    });
    // Queued: the file may be found damaged and replaced while the table reads a page.
    connect(
        &journal_, &Journal::replaced, this,
        [this] {
            if (isOpen()) fillSources(set_), show(set_);
        },
        Qt::QueuedConnection);
}

void frmjournal::connectControls(JournalWindow& w)
{
    for (QComboBox* box : {w.cbolevel, w.cbokind})
        connect(box, &QComboBox::activated, this, [this] { show(chosen()); });
    connect(w.cmdweak, &QPushButton::clicked, this, &frmjournal::weakKeysAsked);
    connect(w.cmdcsv, &QPushButton::clicked, this, &frmjournal::cmdcsv_Click);
    connect(w.cmdkeycsv, &QPushButton::clicked, this, &frmjournal::cmdkeycsv_Click);
    // The heading, the list and the button say one order; any of them may set it.
    QHeaderView* header = w.grdruns->horizontalHeader();
    connect(w.cbosort, &QComboBox::activated, this,
            [this, header](int column) { sortBy(column, header->sortIndicatorOrder()); });
    connect(w.cmdorder, &QPushButton::clicked, this, [this, header] {
        sortBy(header->sortIndicatorSection(), header->sortIndicatorOrder() == Qt::AscendingOrder
                                                   ? Qt::DescendingOrder
                                                   : Qt::AscendingOrder);
    });
    connect(header, &QHeaderView::sortIndicatorChanged, this,
            [this](int column, Qt::SortOrder order) {
                window_->cbosort->setCurrentIndex(column);
                window_->cmdorder->setText(order == Qt::AscendingOrder ? captions().ascending
                                                                       : captions().descending);
            });
    w.cmdorder->setText(captions().descending);
}

void frmjournal::sortBy(int column, Qt::SortOrder order)
{
    window_->grdruns->sortByColumn(column, order);
}

void frmjournal::open(const RunSet& set)
{
    const bool first = !window_;
    JournalWindow* w = build(journal_);
    if (!w) return;
    if (first) connectControls(*w);
    fillSources(set);
    show(sources_.contains(set.withoutKind()) ? set : sources_.value(w->cbolevel->currentIndex()));
    centreOnScreen(w);
    w->show();
    formsupport::bringForward(w);
}

void frmjournal::fillSources(const RunSet& wanted)
{
    sources_.clear();
    // Runs made before any level was chosen get a choice only when there are some.
    const bool unchosen = journal_.levels().contains(0);
    if (unchosen) sources_ << RunSet{0};
    for (const practice::Level& level : practice::levels)
        sources_ << RunSet{level.number};
    for (const QString& text : journal_.texts())
        sources_ << RunSet::ofText(text);

    QComboBox* box = window_->cbolevel;
    box->clear();
    for (const RunSet& source : sources_)
        box->addItem(source.isText() ? source.text : runcolumns::levelName(source.level));
    const qsizetype index = sources_.indexOf(wanted.withoutKind());
    box->setCurrentIndex(
        int(index >= 0 ? index : sources_.indexOf(RunSet{unchosen ? 0 : practice::defaultLevel})));
}

RunSet frmjournal::chosen() const
{
    const JournalWindow& w = *window_;
    RunSet set = sources_.value(w.cbolevel->currentIndex());
    if (!set.isText() && w.cbokind->currentIndex() > 0)
        set.only = RunKind(w.cbokind->currentIndex() - 1);
    return set;
}

void frmjournal::show(const RunSet& set)
{
    set_ = set;
    JournalWindow& w = *window_;
    w.cbolevel->setCurrentIndex(int(sources_.indexOf(set.withoutKind())));
    w.cbokind->setCurrentIndex(set.only ? int(*set.only) + 1 : 0);
    w.cbokind->setEnabled(!set.isText()); // a text's runs are of one kind
    w.runs->setRuns(set, journal_.points(set));
    showProgress();
    showWeakKeys();
}

void frmjournal::add(const QList<JournalEntry>& entries)
{
    JournalWindow& w = *window_;
    bool shown = false;
    for (const JournalEntry& e : entries) {
        if (!sources_.contains(RunSet::of(e.run.kind, e.run.level, e.run.textName)))
            fillSources(set_);
        if (!set_.holds(e.run)) continue;
        w.runs->append(e);
        shown = true;
    }
    // The chart and the keys go over every run: after the results window, not before it.
    if (!shown || refreshing_) return;
    refreshing_ = true;
    QTimer::singleShot(0, this, [this] {
        refreshing_ = false;
        if (!isOpen()) return;
        showProgress();
        showWeakKeys();
    });
}

void frmjournal::showProgress()
{
    JournalWindow& w = *window_;
    const bool none = w.runs->points().isEmpty();
    const bool charted = w.chart && !none;
    if (w.chart) {
        w.chart->setSeries(progress::series(w.runs->points()));
        w.chart->widget()->setVisible(charted);
    }
    // The same place says why there is no chart: no runs yet, or no chart library.
    w.lblempty->setText(none ? captions().lblempty : chartlibrary::unavailableText);
    w.lblempty->setVisible(!charted);
    w.cmdcsv->setEnabled(!none);
    w.cmdkeycsv->setEnabled(!none);
}

void frmjournal::showWeakKeys()
{
    JournalWindow& w = *window_;
    const QList<CharTally> tallies = journal_.tallies(set_, weakkeys::recentRuns);
    w.keyboard->setTallies(tallies, boardOf(journal_.runs(set_, weakkeys::recentRuns)));
    // The newer half of those runs against the older.
    const int recent = int(std::min<qsizetype>(w.runs->points().size(), weakkeys::recentRuns));
    const QList<CharTally> newer = journal_.tallies(set_, recent - recent / 2);
    const QList<CharTally> older = journal_.tallies(set_, recent / 2, recent - recent / 2);
    const auto of = [](const QList<CharTally>& list, QChar c) {
        const auto found = std::find_if(list.begin(), list.end(),
                                        [c](const CharTally& t) { return t.character == c; });
        return found != list.end() ? *found : CharTally{c};
    };
    QStringList lines;
    for (const CharTally& t : weakkeys::weakest(tallies))
        lines << weakkeys::caption(t) + captions().trends[std::size_t(weakkeys::trend(
                                            of(older, t.character), of(newer, t.character)))];
    const bool missed =
        std::any_of(tallies.begin(), tallies.end(), [](const CharTally& t) { return t.wrong > 0; });
    if (lines.isEmpty() && !tallies.isEmpty())
        lines << (missed ? captions().fewKeystrokes.arg(weakkeys::fewestKeystrokes)
                         : captions().noWeakKeys);
    w.lblweak->setText(lines.join(u'\n'));
}

bool frmjournal::save(const QString& path, const QByteArray& csv)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(csv) == csv.size() && file.commit())
        return true;
    messages_.inform(QFileInfo(path).fileName() + errortext::cannotWrite, errortext::title);
    return false;
}

bool frmjournal::exportTo(const QString& path)
{
    return save(path, journalcsv::runs(journal_.runs(set_)));
}

bool frmjournal::exportTalliesTo(const QString& path)
{
    return save(path, journalcsv::tallies(journal_.tallies(set_)));
}

QString frmjournal::askSavePath(const QString& stem) const
{
    const JournalCaptions& c = captions();
    QString name =
        set_.isText() ? QFileInfo(set_.text).completeBaseName() : runcolumns::levelName(set_.level);
    if (set_.only) name += u'-' + runcolumns::kindNames[std::size_t(*set_.only)];
    QFileDialog dialog(window_, c.saveTitle, QDir::home().filePath(stem.arg(name)), c.saveFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // A name typed without one gets the suffix, and is asked about before it is replaced.
    dialog.setDefaultSuffix(c.saveSuffix);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

void frmjournal::cmdcsv_Click()
{
    if (const QString path = askSavePath(captions().runsName); !path.isEmpty()) exportTo(path);
}

void frmjournal::cmdkeycsv_Click()
{
    if (const QString path = askSavePath(captions().keysName); !path.isEmpty())
        exportTalliesTo(path);
}

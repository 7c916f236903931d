#include "journal/frmjournal.h"

#include "journal/journal.h"
#include "journal/journalchart.h"
#include "journal/journalcsv.h"
#include "journal/journalstore.h"
#include "journal/runcolumns.h"
#include "journal/runtablemodel.h"
#include "journal/weakkeyboard.h"
#include "journal/weakkeys.h"
#include "results/levelnames.h"
#include "ui/chartlibrary.h"
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

namespace {

struct JournalCaptions {
    QString form = QStringLiteral("練習の記録");
    QString lbllevel = QStringLiteral("レベル");
    QString noLevel = QStringLiteral("未選択"); // runs before a level was ever chosen
    QString cmdcsv = QStringLiteral("CSV に書き出す…");
    QString saveTitle = QStringLiteral("CSV に書き出す");
    QString saveFilter = QStringLiteral("CSV (*.csv)");
    QString saveName = QStringLiteral("dovanel-%1.csv"); // the level's name
    QString lblempty = QStringLiteral("まだ記録がありません。\n"
                                      "練習を最後まで終えると、ここに記録されます。");
    QString fraweak = QStringLiteral("苦手なキー（最近%1回のミス率）");
    QString noWeakKeys = QStringLiteral("ミスはありません");
};
const JournalCaptions& captions()
{
    static const JournalCaptions c;
    return c;
}

using twips::Box;

struct JournalGeometry {
    double clientWidth = 13500, clientHeight = 9900;
    Box lbllevel{120, 150, 900, 300};
    Box cbolevel{1020, 100, 1800, 360};
    Box cmdcsv{11160, 100, 2220, 360};
    Box chart{120, 600, 13260, 4200};
    Box grdruns{120, 4920, 8760, 4860};
    Box fraweak{9000, 4920, 4380, 4860};
    Box keyboard{120, 300, 4140, 1560}; // inside fraweak
    Box lblweak{240, 1980, 4020, 2760}; // inside fraweak
    // Twips per column of grdruns, in the order of runcolumns.
    std::array<double, runcolumns::count> columnWidths{1950, 1140, 660, 660, 660, 930, 1590, 600};
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

QString levelName(int level)
{
    return level >= 1 && level <= int(levelNames.size()) ? levelNames[level - 1]
                                                         : captions().noLevel;
}

} // namespace

JournalWindow::JournalWindow()
{
    const JournalCaptions& c = captions();
    const JournalGeometry& g = journalGeometry;
    setObjectName(QStringLiteral("frmjournal"));
    setWindowTitle(c.form);
    formsupport::fixDialogFrame(this, g.clientWidth, g.clientHeight);
    setFont(fonts::design(fonts::proportionalGothic, g.points));

    place(new QLabel(c.lbllevel, this), "lbllevel", g.lbllevel);
    cbolevel = place(new QComboBox(this), "cbolevel", g.cbolevel);
    cmdcsv = place(new QPushButton(c.cmdcsv, this), "cmdcsv", g.cmdcsv);
    cmdcsv->setAutoDefault(false);

    chart = JournalChart::make(this);
    if (chart) place(chart->widget(), "chart", g.chart);
    lblempty = place(new QLabel(c.lblempty, this), "lblempty", g.chart);
    lblempty->setAlignment(Qt::AlignCenter);

    runs = new RunTableModel(this);
    grdruns = place(new QTableView(this), "grdruns", g.grdruns);
    grdruns->setModel(runs);
    grdruns->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdruns->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdruns->verticalHeader()->hide();
    // Fixed row heights: the view never measures ten thousand rows.
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
}

frmjournal::frmjournal(Journal& journal, MessageBoxes& messages)
    : journal_(journal), messages_(messages)
{
    // A run finished while the window is open shows up at once.
    connect(&journal_, &Journal::recorded, this, [this] {
        if (isOpen()) refresh();
    });
}

frmjournal::~frmjournal()
{
    delete window_.data();
}

void frmjournal::build()
{
    window_ = new JournalWindow;
    connect(window_->cbolevel, &QComboBox::activated, this,
            [this](int index) { showLevel(window_->cbolevel->itemData(index).toInt()); });
    connect(window_->cmdcsv, &QPushButton::clicked, this, &frmjournal::cmdcsv_Click);
}

void frmjournal::open(int level)
{
    if (isOpen()) {
        formsupport::bringForward(window_);
        return;
    }
    if (!window_) build();
    fillLevels(level);
    showLevel(window_->cbolevel->currentData().toInt());
    centreOnScreen(window_);
    window_->show();
    formsupport::bringForward(window_);
}

void frmjournal::close()
{
    if (window_) window_->close();
}

bool frmjournal::isOpen() const
{
    return window_ && window_->isVisible();
}

void frmjournal::refresh()
{
    fillLevels(level_);
    showLevel(level_);
}

void frmjournal::fillLevels(int wanted)
{
    QList<int> levels;
    for (int level = 1; level <= int(levelNames.size()); ++level)
        levels << level;
    // Runs made before any level was chosen get a choice only when there are some.
    JournalStore* store = journal_.store();
    if (store && store->levels().contains(0)) levels.prepend(0);

    QComboBox* box = window_->cbolevel;
    box->clear();
    for (int level : levels)
        box->addItem(levelName(level), level);
    const int index = box->findData(wanted);
    box->setCurrentIndex(index >= 0 ? index : box->findData(levels.contains(0) ? 0 : 2));
}

void frmjournal::showLevel(int level)
{
    level_ = level;
    JournalWindow& w = *window_;
    w.cbolevel->setCurrentIndex(w.cbolevel->findData(level));
    JournalStore* store = journal_.store();
    shown_ = store ? store->runs(level) : QList<RunFigures>();
    const QList<CharTally> tallies =
        store ? store->recentTallies(level, weakkeys::recentRuns) : QList<CharTally>();

    w.runs->setRuns(shown_);
    const bool charted = w.chart && !shown_.isEmpty();
    if (w.chart) {
        w.chart->setRuns(shown_);
        w.chart->widget()->setVisible(charted);
    }
    // The same place says why there is no chart: no runs yet, or no chart library.
    w.lblempty->setText(shown_.isEmpty() ? captions().lblempty : chartlibrary::unavailableText);
    w.lblempty->setVisible(!charted);
    w.cmdcsv->setEnabled(!shown_.isEmpty());

    w.keyboard->setRates(weakkeys::keyRates(tallies));
    QStringList lines;
    for (const CharTally& t : weakkeys::weakest(tallies))
        lines << weakkeys::caption(t);
    w.lblweak->setText(lines.isEmpty() && !shown_.isEmpty() ? captions().noWeakKeys
                                                            : lines.join(u'\n'));
}

bool frmjournal::exportTo(const QString& path)
{
    QSaveFile file(path);
    const QByteArray csv = journalcsv::runs(shown_);
    if (file.open(QIODevice::WriteOnly) && file.write(csv) == csv.size() && file.commit())
        return true;
    messages_.inform(QFileInfo(path).fileName() + errortext::cannotWrite, errortext::title);
    return false;
}

void frmjournal::cmdcsv_Click()
{
    const JournalCaptions& c = captions();
    const QString suggested = QDir::home().filePath(c.saveName.arg(levelName(level_)));
    const QString path =
        QFileDialog::getSaveFileName(window_, c.saveTitle, suggested, c.saveFilter);
    if (!path.isEmpty()) exportTo(path);
}

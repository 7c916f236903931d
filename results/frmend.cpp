#include "results/frmend.h"

#include "ui/settingsstore.h"

#include "charts/chartlibrary.h"
#include "charts/resultschart.h"
#include "practice/sources.h"
#include "ui/clock.h"
#include "ui/fonts.h"
#include "ui/placement.h"
#include "ui/twips.h"

#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace {

// Every caption of the window.
namespace caption {
const QString window = QStringLiteral("結果");
const QString setumei =
    QStringLiteral("終了しました。もう一度するにはキーボードのRを終了するにはQを"
                   "レベルを変更するにはLを押してください。");
const QString bestFrame = QStringLiteral("最高得点");
const QString thisTime = QStringLiteral("今回");
const QString timesAgo = QStringLiteral("回前"); // after the count: "3回前"
} // namespace caption

using Twips = twips::Box;

// Every place and size, in twips; panel rows are inside Frame1.
namespace place {
constexpr int clientWidth = 14985;
constexpr int clientHeight = 9420;
constexpr Twips lblsetumei{2865, 623, 9255, 1095};
constexpr int resultRowTop[4] = {2160, 2640, 3120, 3600};
constexpr int nameLeft = 3000;
constexpr int nameWidth = 1935;
constexpr int valueLeft = 5040;
constexpr int valueWidth = 2700; // room for "32767文字/分"
constexpr int resultHeight = 420;
constexpr int underlineBelow = 450; // decoration lines, under each result row
constexpr int underlineHeight = 30;
constexpr Twips Frame1{7905, 2063, 4095, 1935};
constexpr int panelRowTop[History::levels] = {360, 720, 1080, 1440};
constexpr int panelHeight = 330;
constexpr int levelLeft = 120;
constexpr int levelWidth = 600;
constexpr int bestLeft = 720;
constexpr int bestWidth = 1455;
constexpr int dateLeft = 2280;
constexpr int dateWidth = 1695;
constexpr Twips chart{2865, 4223, 9255, 4095};
} // namespace place

// The rows of the run's figures: the name's label and caption, the figure's label.
struct ResultRow {
    const char* nameLabel;
    const char* caption;
    const char* valueLabel;
};
const std::array<ResultRow, 4> resultRows{{{"Label2", "入力時間", "lbltaketime"},
                                           {"Label3", "ミス率", "lblmiss"},
                                           {"Label5", "入力速度", "lblsokudo"},
                                           {"Label7", "点数", "lblpoint"}}};

// The three charts by chartmode (1 to 3): the figure of a history row each shows, its title,
// and the button that shows it. Each button hands the focus on to the next chart's.
struct ChartMode {
    qint16 History::Row::*figure;
    const char* title;
    const char* button;
    const char* caption;
    Twips place;
};
const std::array<ChartMode, 3> chartModes{{
    {&History::Row::score, "最近10回の得点", "cmdtokuten", "得点を表示", {8040, 8423, 1215, 375}},
    {&History::Row::miss, "最近10回のミス率", "cmdmiss", "ミス率を表示", {9360, 8423, 1215, 375}},
    {&History::Row::speed,
     "最近10回の入力速度",
     "cmdsokudo",
     "入力速度を表示",
     {10680, 8423, 1455, 375}},
}};
const ChartMode& chartMode(int mode)
{
    return chartModes.at(mode - 1);
}
int nextMode(int mode)
{
    return mode % int(chartModes.size()) + 1;
}

namespace points {
constexpr double window = 26.0;
constexpr double results = 14.25; // result labels and the instruction
constexpr double panel = 11.25;
constexpr double buttons = 9.0; // the captions must fit the designed button widths
} // namespace points

QLabel* addLabel(QWidget* parent, const QString& name, const QString& text, const Twips& at,
                 double pointSize)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(fonts::design(fonts::proportionalGothic, pointSize));
    label->setGeometry(at.pixels());
    return label;
}

// Control arrays keep their index in the name: "lbltokuten(0)".
QString indexedName(const char* name, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

} // namespace

ResultsWindow::ResultsWindow()
{
    setObjectName(QStringLiteral("frmend"));
    setWindowTitle(caption::window);
    setFixedSize(twips::toPixels(place::clientWidth), twips::toPixels(place::clientHeight));
    QFont font = this->font();
    font.setPointSizeF(points::window);
    setFont(font);

    lblsetumei = addLabel(this, "lblsetumei", caption::setumei, place::lblsetumei, points::results);
    lblsetumei->setWordWrap(true);

    for (int row = 0; row < int(resultRows.size()); ++row) {
        const ResultRow& r = resultRows[row];
        const double top = place::resultRowTop[row];
        addLabel(this, r.nameLabel, QString::fromUtf8(r.caption),
                 {place::nameLeft, top, place::nameWidth, place::resultHeight}, points::results);
        figures[row] = addLabel(this, r.valueLabel, {},
                                {place::valueLeft, top, place::valueWidth, place::resultHeight},
                                points::results);
        const double lineTop = top + place::underlineBelow;
        const Twips lines[2] = {
            {place::nameLeft, lineTop, place::nameWidth, place::underlineHeight},
            {place::valueLeft, lineTop, place::valueWidth, place::underlineHeight}};
        for (int half = 0; half < 2; ++half) {
            auto* line = new QFrame(this);
            line->setObjectName(QStringLiteral("Line%1").arg(row * 2 + half + 1));
            line->setFrameShape(QFrame::HLine);
            line->setFrameShadow(QFrame::Sunken);
            line->setGeometry(lines[half].pixels());
        }
    }

    auto* frame = new QGroupBox(caption::bestFrame, this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setFont(fonts::design(fonts::proportionalGothic, points::panel));
    frame->setGeometry(place::Frame1.pixels());
    const char* levelLabels[History::levels] = {"Label1", "Label4", "Label6", "Label8"};
    for (int level = 0; level < History::levels; ++level) {
        const double top = place::panelRowTop[level];
        addLabel(frame, levelLabels[level], practice::caption(practice::levels[level]),
                 {place::levelLeft, top, place::levelWidth, place::panelHeight}, points::panel);
        lbltokuten[level] =
            addLabel(frame, indexedName("lbltokuten", level), {},
                     {place::bestLeft, top, place::bestWidth, place::panelHeight}, points::panel);
        lbldate[level] =
            addLabel(frame, indexedName("lbldate", level), {},
                     {place::dateLeft, top, place::dateWidth, place::panelHeight}, points::panel);
    }

    chart = ResultsChart::make(this);
    QWidget* chartArea = chart ? chart->widget() : chartlibrary::unavailableNotice(this);
    chartArea->setObjectName(QStringLiteral("chart"));
    chartArea->setGeometry(place::chart.pixels());
    if (!chart) chartArea->setFont(fonts::design(fonts::proportionalGothic, points::results));

    const QFont buttonFont = fonts::design(fonts::proportionalGothic, points::buttons);
    for (int mode = frmend::ScoreChart; mode <= frmend::SpeedChart; ++mode) {
        const ChartMode& m = chartMode(mode);
        auto* button = new QPushButton(QString::fromUtf8(m.caption), this);
        button->setObjectName(QLatin1String(m.button));
        button->setFont(buttonFont);
        button->setGeometry(m.place.pixels());
        button->setAutoDefault(false);
        chartButtons[mode - 1] = button;
    }
    // Tab order and focus follow the hand-on, from the button the opening chart hands to.
    const int first = nextMode(frmend::ScoreChart);
    for (int mode = first; mode != frmend::ScoreChart; mode = nextMode(mode))
        QWidget::setTabOrder(chartButtons[mode - 1], chartButtons[nextMode(mode) - 1]);
    chartButtons[first - 1]->setFocus();
}

ResultsWindow::~ResultsWindow() = default;

frmend::frmend(ResultsHost& host, SettingsStore& store, Clock& clock)
    : host_(host), clock_(clock), record_(store)
{
}

void frmend::open()
{
    ResultsWindow* w = build();
    if (!w) return;
    for (int mode = ScoreChart; mode <= SpeedChart; ++mode)
        connect(w->chartButtons[mode - 1], &QPushButton::clicked, this,
                [this, mode] { chartButton(mode); });
    // The practice journal is one key away from the figures it keeps.
    w->addAction(host_.journalAction());
    // r, q and l act wherever the focus is.
    new KeyPreview(w, [this](QKeyEvent* e) { return key(e); });
    load();
    centreOnScreen(w);
    w->show();
    // Its keys must work at once, without a click first.
    formsupport::bringForward(w);
}

void frmend::load()
{
    if (record_.enter(host_.finishedRun(), host_.level(), clock_.today()))
        host_.runScored(record_.score());

    ResultsWindow& w = *window_;
    const Score& s = record_.score();
    const QString texts[] = {s.timeText, s.missText, s.speedText, s.pointText};
    for (int row = 0; row < int(resultRows.size()); ++row)
        w.figures[row]->setText(texts[row]);
    showChart(ScoreChart);
    for (int level = 0; level < History::levels; ++level) {
        w.lbltokuten[level]->setText(record_.panel()[level].score);
        w.lbldate[level]->setText(record_.panel()[level].date);
    }
}

void frmend::showChart(int mode)
{
    ResultsChart::Table table{};
    const auto& rows = record_.history().histdata();
    for (int r = 0; r < History::rows; ++r) {
        const qint16 figure = rows[r].*chartMode(mode).figure;
        table[r] = {figure, figure};
    }
    chartmode_ = mode;
    ResultsChart* chart = window_->chart.get();
    if (!chart) return;
    chart->setData(table);
    setrow();
    chart->setTitle(QString::fromUtf8(chartMode(mode).title));
}

void frmend::setrow()
{
    const int count = record_.history().resultcnt();
    const int current = count >= History::rows ? History::rows : count;
    for (int row = 1; row <= History::rows; ++row) {
        QString label;
        if (row == current)
            label = caption::thisTime;
        else if (row < current)
            label = QString::number(current - row) + caption::timesAgo;
        window_->chart->setRowLabel(row, label);
    }
}

void frmend::chartButton(int mode)
{
    if (!isOpen() || chartmode_ == mode) return;
    showChart(mode);
    window_->chartButtons[nextMode(mode) - 1]->setFocus();
}

bool frmend::key(QKeyEvent* key)
{
    // Enter presses a focused chart button, as Space does.
    if (auto* button = qobject_cast<QPushButton*>(window_->focusWidget());
        button && formsupport::isEnter(key)) {
        button->click();
        return true;
    }
    // Only the lower-case letters count: with Caps Lock on nothing happens.
    const QString text = key->text();
    if (text == QLatin1String("r")) {
        host_.restartFromResults();
        close();
        return true;
    }
    if (text == QLatin1String("q")) {
        host_.quitFromResults();
        return true;
    }
    if (text == QLatin1String("l")) {
        host_.enableTimer1();
        flglevel = true;
        close();
        return true;
    }
    return false;
}

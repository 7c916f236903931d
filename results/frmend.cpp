#include "results/frmend.h"

#include "ui/settingsstore.h"

#include "results/levelnames.h"
#include "results/resultschart.h"
#include "ui/chartlibrary.h"
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

struct frmend::Controls {
    QPointer<QLabel> lblsetumei;
    std::array<QPointer<QLabel>, 4> figures; // in the order of resultRows
    std::array<QPointer<QLabel>, History::levels> lbltokuten;
    std::array<QPointer<QLabel>, History::levels> lbldate;
    std::unique_ptr<ResultsChart> chart;               // none when its library cannot be loaded
    std::array<QPointer<QPushButton>, 3> chartButtons; // cmdtokuten, cmdmiss, cmdsokudo
};

frmend::frmend(ResultsHost& host, SettingsStore& store, Clock& clock)
    : host_(host), store_(store), clock_(clock), history_(store)
{
}

frmend::~frmend()
{
    delete window_.data();
}

bool frmend::isOpen() const
{
    return window_ && window_->isVisible();
}

void frmend::open()
{
    if (isOpen()) {
        window_->raise();
        window_->activateWindow();
        return;
    }
    build();
    load();
    centreOnScreen(window_);
    window_->show();
    // Its keys r, q and l must work at once, without a click first.
    window_->activateWindow();
}

void frmend::close()
{
    if (window_) window_->close();
}

void frmend::build()
{
    // A window closed a moment ago may still wait for deletion; it is not reused.
    auto* w = new QWidget;
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->setObjectName(QStringLiteral("frmend"));
    w->setWindowTitle(caption::window);
    w->setFixedSize(twips::toPixels(place::clientWidth), twips::toPixels(place::clientHeight));
    window_ = w;
    controls_ = std::make_unique<Controls>();
    Controls& c = *controls_;

    c.lblsetumei = addLabel(w, "lblsetumei", {}, place::lblsetumei, points::results);
    c.lblsetumei->setWordWrap(true);

    for (int row = 0; row < int(resultRows.size()); ++row) {
        const ResultRow& r = resultRows[row];
        const double top = place::resultRowTop[row];
        addLabel(w, r.nameLabel, QString::fromUtf8(r.caption),
                 {place::nameLeft, top, place::nameWidth, place::resultHeight}, points::results);
        c.figures[row] = addLabel(w, r.valueLabel, {},
                                  {place::valueLeft, top, place::valueWidth, place::resultHeight},
                                  points::results);
        const double lineTop = top + place::underlineBelow;
        const Twips lines[2] = {
            {place::nameLeft, lineTop, place::nameWidth, place::underlineHeight},
            {place::valueLeft, lineTop, place::valueWidth, place::underlineHeight}};
        for (int half = 0; half < 2; ++half) {
            auto* line = new QFrame(w);
            line->setObjectName(QStringLiteral("Line%1").arg(row * 2 + half + 1));
            line->setFrameShape(QFrame::HLine);
            line->setFrameShadow(QFrame::Sunken);
            line->setGeometry(lines[half].pixels());
        }
    }

    auto* frame = new QGroupBox(caption::bestFrame, w);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setFont(fonts::design(fonts::proportionalGothic, points::panel));
    frame->setGeometry(place::Frame1.pixels());
    const char* levelLabels[History::levels] = {"Label1", "Label4", "Label6", "Label8"};
    for (int level = 0; level < History::levels; ++level) {
        const double top = place::panelRowTop[level];
        addLabel(frame, levelLabels[level], levelNames[level],
                 {place::levelLeft, top, place::levelWidth, place::panelHeight}, points::panel);
        c.lbltokuten[level] =
            addLabel(frame, indexedName("lbltokuten", level), {},
                     {place::bestLeft, top, place::bestWidth, place::panelHeight}, points::panel);
        c.lbldate[level] =
            addLabel(frame, indexedName("lbldate", level), {},
                     {place::dateLeft, top, place::dateWidth, place::panelHeight}, points::panel);
    }

    c.chart = ResultsChart::make(w);
    QWidget* chartArea = c.chart ? c.chart->widget() : chartlibrary::unavailableNotice(w);
    chartArea->setObjectName(QStringLiteral("chart"));
    chartArea->setGeometry(place::chart.pixels());
    if (c.chart)
        c.chart->setTitle(QString::fromUtf8(chartMode(ScoreChart).title));
    else
        chartArea->setFont(fonts::design(fonts::proportionalGothic, points::results));

    const QFont buttonFont = fonts::design(fonts::proportionalGothic, points::buttons);
    for (int mode = ScoreChart; mode <= SpeedChart; ++mode) {
        const ChartMode& m = chartMode(mode);
        auto* button = new QPushButton(QString::fromUtf8(m.caption), w);
        button->setObjectName(QLatin1String(m.button));
        button->setFont(buttonFont);
        button->setGeometry(m.place.pixels());
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, mode] { chartButton(mode); });
        c.chartButtons[mode - 1] = button;
    }
    // Tab order and focus follow the hand-on, from the button the opening chart hands to.
    for (int mode = nextMode(ScoreChart); mode != ScoreChart; mode = nextMode(mode))
        QWidget::setTabOrder(c.chartButtons[mode - 1], c.chartButtons[nextMode(mode) - 1]);
    c.chartButtons[nextMode(ScoreChart) - 1]->setFocus();

    // The practice journal is one key away from the figures it keeps.
    w->addAction(host_.journalAction());
    // r, q and l act wherever the focus is.
    w->installEventFilter(this);
    for (QWidget* child : w->findChildren<QWidget*>())
        child->installEventFilter(this);
}

void frmend::load()
{
    QFont font = window_->font();
    font.setPointSizeF(points::window);
    window_->setFont(font);

    const FinishedRun run = host_.finishedRun();
    // A run is entered once: opening again for it shows what its scoring showed.
    if (scoredSerial_ != run.serial) scoreRun(run);

    Controls& c = *controls_;
    const QString texts[] = {score_.timeText, score_.missText, score_.speedText, score_.pointText};
    for (int row = 0; row < int(resultRows.size()); ++row)
        c.figures[row]->setText(texts[row]);
    c.lblsetumei->setText(caption::setumei);
    showChart(ScoreChart);
    for (int level = 0; level < History::levels; ++level) {
        c.lbltokuten[level]->setText(panel_[level].score);
        c.lbldate[level]->setText(panel_[level].date);
    }
}

void frmend::scoreRun(const FinishedRun& run)
{
    const SettingsStore::Batch batch(store_);
    history_.beginResult();
    score_ = scoring::score(run.start, run.finish, run.mojicnt, run.misscnt, run.inputcnt);
    scoredSerial_ = run.serial;
    host_.runScored(score_);
    history_.enterResult(score_.points, score_.miss, score_.speed);

    panel_ = history_.bestPanel();
    const int level = host_.level();
    const QString today = clock_.today();
    if (history_.recordBest(level, score_.points, today))
        panel_[level - 1] = {QString::number(score_.points), today};
}

void frmend::showChart(int mode)
{
    ResultsChart::Table table{};
    const auto& rows = history_.histdata();
    for (int r = 0; r < History::rows; ++r) {
        const qint16 figure = rows[r].*chartMode(mode).figure;
        table[r] = {figure, figure};
    }
    chartmode_ = mode;
    ResultsChart* chart = controls_->chart.get();
    if (!chart) return;
    chart->setData(table);
    setrow();
    chart->setTitle(QString::fromUtf8(chartMode(mode).title));
}

void frmend::setrow()
{
    const int count = history_.resultcnt();
    const int current = count >= History::rows ? History::rows : count;
    for (int row = 1; row <= History::rows; ++row) {
        QString label;
        if (row == current)
            label = caption::thisTime;
        else if (row < current)
            label = QString::number(current - row) + caption::timesAgo;
        controls_->chart->setRowLabel(row, label);
    }
}

void frmend::chartButton(int mode)
{
    if (!controls_ || !window_) return;
    if (chartmode_ == mode) return;
    showChart(mode);
    controls_->chartButtons[nextMode(mode) - 1]->setFocus();
}

bool frmend::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !window_) return QObject::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != window_) return QObject::eventFilter(watched, event);

    auto* key = static_cast<QKeyEvent*>(event);
    // Enter presses a focused chart button, as Space does.
    if (auto* button = qobject_cast<QPushButton*>(widget);
        button && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
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
    return QObject::eventFilter(watched, event);
}

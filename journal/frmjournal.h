#pragma once

#include "journal/journalentry.h"
#include "journal/runset.h"
#include "ui/formsupport.h"

#include <QDialog>
#include <QList>
#include <QObject>
#include <QPointer>

class Journal;
class MessageBoxes;
class JournalChart;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTableView;
class RunTableModel;
class WeakKeyboard;

// The controls of the journal window. Escape closes it, as in the other dialogs.
class JournalWindow : public QDialog {
    Q_OBJECT
public:
    explicit JournalWindow(Journal& journal);

    QComboBox* cbolevel;    // the levels, then the texts with runs
    QComboBox* cbokind;     // all of a level's runs, or one kind
    QComboBox* cbosort;     // the column the table is sorted by, for the keyboard
    QPushButton* cmdorder;  // which way: newest, largest first or not
    QPushButton* cmdkeycsv; // the level's tallies per character
    QPushButton* cmdcsv;
    JournalChart* chart; // belongs to the window; null without the chart library
    QLabel* lblempty;
    QTableView* grdruns;
    RunTableModel* runs;
    QGroupBox* fraweak;
    WeakKeyboard* keyboard;
    QLabel* lblweak;
    QPushButton* cmdweak; // a block of the learner's weak keys
};

// "練習の記録": progress, every run and the weak keys of one level or text. One window for the
// program's life, built when it is first opened and hidden, not destroyed, when closed.
class frmjournal : public QObject, public FormHolder<JournalWindow> {
    Q_OBJECT
public:
    frmjournal(Journal& journal, MessageBoxes& messages);

    // Shows the journal at `set` (what is being practised), or brings it forward.
    void open(const RunSet& set);

    void show(const RunSet& set);
    const RunSet& shown() const { return set_; }
    // Write the shown runs, or their tallies per character, as CSV; a failure is told to the
    // user.
    bool exportTo(const QString& path);
    bool exportTalliesTo(const QString& path);
    void cmdcsv_Click();
    void cmdkeycsv_Click();

signals:
    // 苦手キーで練習: the main window starts a weak-key block.
    void weakKeysAsked();

private:
    // What the controls do, once for the window's life.
    void connectControls(JournalWindow& w);
    // The levels and texts to choose from, `wanted` chosen when it is there.
    void fillSources(const RunSet& wanted);
    // The set the two lists choose.
    RunSet chosen() const;
    // Runs finished while the window is open join what it shows.
    void add(const QList<JournalEntry>& entries);
    void showProgress();
    void showWeakKeys();
    void sortBy(int column, Qt::SortOrder order);
    // Asks where to save, the name suggested from `stem`; empty when cancelled.
    QString askSavePath(const QString& stem) const;
    bool save(const QString& path, const QByteArray& csv);

    Journal& journal_;
    MessageBoxes& messages_;
    QList<RunSet> sources_; // in the order of cbolevel
    RunSet set_;
    bool refreshing_ = false; // a refresh of the chart and keys is on its way
};

#pragma once

#include "journal/journalentry.h"

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

    QComboBox* cbolevel;
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
};

// "練習の記録": progress, every run and the weak keys of one level. One window for the
// program's life, built when it is first opened and hidden, not destroyed, when closed.
class frmjournal : public QObject {
    Q_OBJECT
public:
    frmjournal(Journal& journal, MessageBoxes& messages);
    ~frmjournal() override;

    // Shows the journal at `level` (the level being practised), or brings it forward.
    void open(int level);
    void close();
    bool isOpen() const;
    JournalWindow* window() const { return window_; } // null until first opened

    void showLevel(int level);
    int shownLevel() const { return level_; }
    // Write the shown level's runs, or its tallies per character, as CSV; a failure is told
    // to the user.
    bool exportTo(const QString& path);
    bool exportTalliesTo(const QString& path);
    void cmdcsv_Click();
    void cmdkeycsv_Click();

private:
    void build();
    void fillLevels(int wanted);
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
    QPointer<JournalWindow> window_;
    int level_ = 0;
    bool refreshing_ = false; // a refresh of the chart and keys is on its way
};

#pragma once

#include "ui/platform.h"
#include "ui/settingsstore.h"

#include <QString>
#include <memory>

class mainwindow;
class frmend;
class frmlevel;
class frmoption;
class frmAbout;
class Journal;
class frmjournal;
struct JournalPlaces;

// The five windows of the program, one instance each for its whole life, and the services
// they share. Windows reach one another through here.
class Program {
public:
    // `directory` holds the practice texts; the journal file is opened only when needed.
    Program(Platform& platform, const QString& directory, const JournalPlaces& journal);
    ~Program();

    // The start: the text named on the command line, else the one practised last if it is still
    // there; without either, ask for the level once the main window is up.
    void start(const QString& textFile = {});

    Platform& platform;
    SettingsStore store;
    const QString directory;

    std::unique_ptr<mainwindow> main;
    std::unique_ptr<frmoption> option;
    std::unique_ptr<frmlevel> level;
    std::unique_ptr<frmend> end;
    std::unique_ptr<frmAbout> about;
    std::unique_ptr<Journal> journal;
    std::unique_ptr<frmjournal> journalWindow;
};

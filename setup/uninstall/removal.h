#pragma once

#include <functional>
#include <utility>

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

#include "platform/messagebox.h"
#include "platform/pointer.h"

namespace vuska::setup {

// What the uninstall window lends to the removal it runs. A member left empty falls back to
// the platform: the message box over the active window, the screen-wide pointer, and
// frmPoistamattomatTiedostot shown modally with no owner.
struct RemovalHooks {
    std::function<platform::MsgAnswer(const platform::MessageBoxRequest&)> showMessage;
    std::function<void(platform::ScreenPointer)> setPointer;
    // Shows the leftover dialog modally and returns once it has closed.
    std::function<void(const QString& instructions, const QStringList& leftovers)> showLeftovers;
};

enum class RemovalOutcome {
    // The installation record names no folder: the message has been shown, nothing was
    // touched, and the program is to end.
    RecordMissing,
    // The removal ran to its end and the leftover dialog has been shown and closed.
    Finished,
};

struct RemovalResult {
    RemovalOutcome outcome = RemovalOutcome::RecordMissing;
    QString folder;        // the installation folder as recorded (Windows form)
    QString instructions;  // what the leftover dialog told the user
    QStringList leftovers; // the names that could not be deleted, in table order
};

// The text of the leftover dialog's label for an installation folder, by whether setup made
// the folder (the user is then told to delete the folder too).
QString leftoverInstructions(const QString& folder, bool folderCreatedBySetup);

// The files the removal deletes for a recorded installation folder (Windows form, "C:" for a
// drive's root as setup records it): each name of the installation file table with the host
// path it is deleted under, in table order. Nothing when no drive holds the folder.
QList<std::pair<QString, QString>> removalPaths(const QString& folder);

// Takes away what the installer recorded: the installation's files, its shortcuts, the program
// group when setup made it, and both registry keys (with the game's settings and best results),
// then tells the user what is left to delete by hand. Every failure is reported and passed
// over; only a missing record stops it, before anything is touched.
//
// Deleting is deliberately narrow, because the folder comes from a value anyone could have
// edited: only the names of the installation file table are deleted, each exactly as the
// installer wrote it, directly in the recorded folder (as the drive map translates it; ".."
// never climbs out of a drive). A symbolic link under such a name is removed itself, never
// what it points at; a folder under such a name is never entered or removed, and nothing
// else in the folder is looked at.
//
// The work starts with the hourglass already set and the window's buttons disabled, and ends
// with the default pointer.
class Removal {
    Q_DECLARE_TR_FUNCTIONS(vuska::setup::Removal)

public:
    explicit Removal(RemovalHooks hooks = {});

    RemovalResult run();

private:
    bool readFolder();
    void deleteFiles();
    void removeShortcuts();
    void removeProgramGroup();
    void deleteRegistryKeys();
    void showLeftovers();

    // An error box between the default pointer and the hourglass again.
    void error(const QString& text);
    void message(const QString& text);
    void pointer(platform::ScreenPointer pointer);

    RemovalHooks hooks_;
    RemovalResult result_;
    QString group_;
};

} // namespace vuska::setup

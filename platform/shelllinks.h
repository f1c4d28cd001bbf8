#pragma once

#include <QList>
#include <QStringList>
#include <QString>

#include <optional>

// Program groups and shortcuts of the Start menu, on a freedesktop.org desktop.
//
// The Programs folder is a folder of desktop entries (by default the desktop's per-user
// applications folder). A program group is a folder in it, one level or more deep, named by a
// group folder in Windows form: a backslash and the group's name ("\Vuska", "\Pelit\Vuska").
// Creating the group makes it a submenu of the desktop's application menu of its own, named
// after the group, through two files that belong to it alone:
//
//   $XDG_CONFIG_HOME/menus/applications-merged/vuska-<id>.menu      the menu merge file
//   $XDG_DATA_HOME/desktop-directories/vuska-<id>.directory         its name in the menu
//
// where <id> is made from the group's folder (lower-case letters, digits and '-', ending in a
// hash of the exact folder name, so that no two folders share one). A nested group's upper
// levels get their own directory entries, vuska-<id>-<level>.directory. The merge file takes
// into the submenu exactly the entries with the group's own category, X-Vuska-<id>, which no
// other menu names, so a shortcut appears in its group's submenu and nowhere else.
//
// A shortcut is a desktop entry in the group folder, its file name made from the shortcut's
// name (kept as it is when it consists of ASCII letters, digits, '-', '_' and '.', otherwise
// made so with a hash added), its Name the shortcut's name exactly. Its target decides what
// it does, by the extension:
//   .exe   runs the program from its own folder (Exec= its path, Path= its folder);
//   .hlp   opens the game's help at its contents: it runs the vuska.exe beside the help file,
//          from that folder, with the environment variable HelpRequestVariable set to
//          HelpRequestContents (Exec=env VUSKA_HELP=contents <path>);
//   others open the file with the user's own program for it (Exec=xdg-open <path>).
// Its icon is the one last given to setLinkIcon(), installed into the user's icon theme
// ($XDG_DATA_HOME/icons/hicolor/<N>x<N>/apps/<name>.png, and scalable/apps/<name>.svg). A
// description given with the shortcut adds what desktops file and search by: its main
// categories before the group's own one (desktops that ignore menu merge files file it by
// these), a Comment, Keywords, and StartupWMClass, the app id of the program it starts.
//
// Every argument of an Exec line is quoted, so any folder name works. Two names need env's
// help: a program path with '%' runs as "env <path>" (GLib looks the program up before it
// reads "%%" as '%'), and one with '=' in a folder name is given to env as "./<name>",
// started from its folder by Path= (env would take the whole path for a variable).
//
// Removing takes away exactly what creating wrote: each call checks that a file is one of
// ours before it deletes it, never follows a symbolic link, and leaves a folder that holds
// anything else. XDG_DATA_HOME and XDG_CONFIG_HOME fall back to $HOME/.local/share and
// $HOME/.config when unset or not absolute; every call reads the environment afresh.
//
// The functions never throw and never show anything; they answer ShellSuccess or
// ShellFailure.
namespace platform::shelllinks {

inline constexpr int ShellFailure = 0;
inline constexpr int ShellSuccess = 1;

// A shortcut to the help file starts the game with this variable set to HelpRequestContents:
// the game then shows only its help window, at the contents, and ends when it closes.
inline constexpr char HelpRequestVariable[] = "VUSKA_HELP";
inline constexpr char HelpRequestContents[] = "contents";

// The Start menu's Programs folder in Windows form. The registry's value wins
// (HKEY_CURRENT_USER, "SOFTWARE\Microsoft\Windows\CurrentVersion\explorer\Shell Folders",
// value "Programs", REG_SZ or REG_EXPAND_SZ, taken as it is stored); when there is none, or it
// is empty, the desktop's per-user applications folder ($XDG_DATA_HOME/applications) in
// Windows form. Empty when neither can be had.
QString programsFolder();

// The icon for the shortcuts made from now on: `iconName` (ASCII letters, digits, '-', '_',
// '.'; not starting with '.') and PNG files or Qt resources of square pictures, each installed
// under its own size, and an SVG picture (a ".svg" file) installed as the scalable one.
// Non-square PNGs, other formats and unreadable files are passed over. False, and no
// icon for later shortcuts, when the name is unusable or no file is usable; an empty name
// means no icon.
bool setLinkIcon(const QString& iconName, const QList<QString>& pngFilesOrResources);

// Makes the program group: its folder (and the folders above it) in the Programs folder, and
// its submenu. A group whose folder already exists gets its submenu and is a success.
// Failure, with nothing left behind, when the Programs folder is not mapped or cannot be
// written, or the group's name is empty, is "." or "..", or holds a character that Windows
// refuses in a folder name (\ / : * ? " < > | and control characters). Trailing dots and
// blanks of a name are dropped, as Windows does.
int fCreateShellFolder(const QString& groupFolder);

// What a shortcut tells the desktop beyond its name and target. Categories are registered
// freedesktop.org categories ("Game", "CardGame"); the group's own category always follows
// them. Texts must be plain (no control characters); an empty one leaves its key out.
struct LinkDescription {
    QStringList categories;
    QString comment;
    QStringList keywords;
    QString windowClass; // StartupWMClass: the app id of the program the entry starts
    // What the entry shows in other languages (Name[sv], Comment[sv], Keywords[sv]...): the
    // locale ("sv", "en_GB") and the texts; an empty one leaves its key out. A translation whose
    // locale is not one as desktop entries write it is refused like any text that is not plain.
    struct Translation {
        QString locale;
        QString name;
        QString comment;
        QStringList keywords;
    };
    QList<Translation> translations;
};

// Makes a shortcut named `linkName` in the group's folder, which must exist, pointing at
// `targetWindowsPath`; the target need not exist yet. `arguments` (split as a command line)
// are passed to a program (.exe) target and ignored for the others. Replaces an earlier
// shortcut of ours of the same name; never a file of someone else's. Gives the group its
// submenu if it has none yet (a folder that was there before). Failure when the name is
// empty or holds control characters, the target is not on a mapped drive, or the folder
// cannot be written.
int fCreateShellLink(const QString& groupFolder, const QString& linkName,
                     const QString& targetWindowsPath, const QString& arguments,
                     const LinkDescription& description = {});

// Removes the shortcut that fCreateShellLink made, and its icon when no other shortcut of ours
// in the Programs folder uses it. A shortcut that is not there is a success; a file there
// that is not ours, or that cannot be deleted, is a failure and stays. When it was the group's
// last shortcut and the group's submenu was made for the shortcuts only (the folder was
// there before), the submenu goes too.
int fRemoveShellLink(const QString& groupFolder, const QString& linkName);

// Removes the program group: its submenu's files, then its folder, and the folders above it
// that the group's own fCreateShellFolder call made, each only when it is empty. Failure when the group's folder
// still holds anything (which stays, as does the folder), or cannot be removed; a folder
// already gone is a success.
int removeShellFolder(const QString& groupFolder);

// Where a group's and a shortcut's files lie (host paths), for callers that report them and
// for tests. Nothing when the group's name or the Programs folder is unusable.
struct GroupFiles {
    QString folder;        // the group's folder
    QString menuFile;      // the merge file
    QString directoryFile; // the group's own directory entry
    QString category;      // the category that puts an entry into the group's submenu
};
std::optional<GroupFiles> groupFiles(const QString& groupFolder);
std::optional<QString> linkFile(const QString& groupFolder, const QString& linkName);

} // namespace platform::shelllinks

#pragma once

#include <QString>

class QWidget;

// The game's help: a help document of our own, opened in a help window at a topic chosen by
// its context number (the number the program's Help buttons name), at its index or at its
// contents.
//
// The help document (vuska.hlp) is Markdown (CommonMark) in UTF-8 with LF or CR LF line ends,
// cut into topics by whole-line HTML comments, so that any Markdown reader shows it too:
//
//   <!-- vuska-help 1: Vuskan ohje -->    first line: the format's name and version, and the
//                                         caption to use when there is no contents file
//   <!-- topic saannot 2: maa; tikki -->  a topic: its id (a-z, 0-9 and '-'), its context
//                                         number (1 to 999999999) and its index entries
//   # Pelin säännöt                       the topic's title, its first line of text
//   Text of the topic...                  the topic's body, up to the next topic
//   <!-- end -->                          last line
//
// Ids and context numbers are unique. Any other line that starts with "<!--", text outside
// the topics, a topic whose text does not open with its "# " title, a document without
// topics or without its closing line (a truncated file), bytes that are not UTF-8 and
// control characters other than tab make the document damaged. So does a picture ("!["):
// showing one would read a file of the document's choosing.
//
// A topic's text is shown as Markdown with HTML off: '<' and the rest are shown as they
// stand. A link [text](#id) leads to the topic with that id; other links lead nowhere.
//
// The contents file lies beside the document, its extension .cnt (vuska122.cnt here), in
// UTF-8, and follows a WinHelp contents file:
//
//   :Base vuska.hlp                       the document it belongs to (required)
//   :Title Vuskan ohje                    the help window's caption
//   1 Pelin säännöt                       a heading on level 1 to 9
//   2 Maan tunnustaminen=maan-tunnustaminen   an entry that opens a topic
//
// An entry may go at most one level deeper than the one before it. Lines that start with ';'
// are comments. When the contents file is missing or damaged, or names a topic the document
// lacks, the window lists the document's topics in their order instead.

namespace platform {

// Opens the program's help file at the topic with the given context number, at its index
// or at its contents. Returns false when the file cannot be opened or read as a help file, or has no
// topic with that number; the callers tell the user, each in its own words.
//
// The help window is a window of its own, not a dialog of the caller: it stays when the
// caller closes, and one window serves each help file, so opening again brings it to the
// front at the new topic. It is never blocked by the game's modal dialogs and message boxes,
// so help opened from a box's Help button can be read while the box waits for its answer.
bool openHelpTopic(const QString& helpFile, int context, QWidget* parent = nullptr);
bool openHelpIndex(const QString& helpFile, QWidget* parent = nullptr);
// At its contents ("Sisällys"), showing the first topic they list.
bool openHelpContents(const QString& helpFile, QWidget* parent = nullptr);

// The message a help button shows when the file cannot be opened.
QString helpFileFailureText(const QString& helpFile);

} // namespace platform

#pragma once

#include <QString>

class QWidget;

// The game's help: a help document of our own, opened in a help window at a topic chosen by
// its context number (the number the program's Help buttons name) or at its index.
//
// The help document (vuska.hlp) is UTF-8 text with LF or CR LF line ends:
//
//   VUSKA-HELP 1                          first line: the format's name and version
//   @title Vuskan ohje                    optional, before the first topic: the caption to use
//                                         when there is no contents file
//   @topic saannot 2 Pelin säännöt        a topic: its id (a-z, 0-9 and '-'), its context
//                                         number (1 to 999999999) and its title
//   @keywords maa; tikki; ässä            optional, within a topic: its entries in the index
//   Text of the topic...                  the topic's body, up to the next @topic
//   @end                                  last line
//
// Ids and context numbers are unique. Lines that start with ';' are comments. A line that
// starts with '@' must be one of the four directives above; anything else, text before the
// first topic, a document without topics or without its closing @end (a truncated file),
// bytes that are not UTF-8 and control characters other than tab make the document damaged.
//
// In a body, blank lines separate blocks. A line "== Heading" is a subheading. Lines that
// start with "* " are the items of a bullet list, lines that start with "# " those of a
// numbered list; an item goes on over the indented lines that follow it. Other lines form
// paragraphs, their lines joined. Within a line, [[id|text]] links to a topic (text shown),
// [[id]] links to it under its title, and **text** is bold. Nothing else is markup: '<', '&'
// and the rest are shown as they stand.
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

// Opens the program's help file at the topic with the given context number, or at its
// index. Returns false when the file cannot be opened or read as a help file, or has no
// topic with that number; the callers tell the user, each in its own words.
//
// The help window is a window of its own, not a dialog of the caller: it stays when the
// caller closes, and one window serves each help file, so opening again brings it to the
// front at the new topic. It is never blocked by the game's modal dialogs and message boxes,
// so help opened from a box's Help button can be read while the box waits for its answer.
bool openHelpTopic(const QString& helpFile, int context, QWidget* parent = nullptr);
bool openHelpIndex(const QString& helpFile, QWidget* parent = nullptr);

// The message a help button shows when the file cannot be opened.
QString helpFileFailureText(const QString& helpFile);

} // namespace platform

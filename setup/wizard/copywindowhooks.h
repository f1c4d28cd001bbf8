#pragma once

#include <functional>

#include <QString>

#include "platform/messagebox.h"

namespace vuska::setup {

// What the copy window lends to the work it shows: its two status lines, its progress bar,
// a turn of the message loop, and message boxes over itself. A member left empty does
// nothing (showMessage: the platform's own box, over the active window).
struct CopyWindowHooks {
    std::function<void(const QString&)> setKopioitava;  // lblKopioitava
    std::function<void(const QString&)> setKohdekansio; // lblKohdekansio
    std::function<void(int)> setProgress;               // pbPalkki, 0 to 58
    std::function<void()> yield;
    std::function<platform::MsgAnswer(const platform::MessageBoxRequest&)> showMessage;

    void status(const QString& kopioitava, const QString& kohdekansio) const
    {
        if (setKopioitava)
            setKopioitava(kopioitava);
        if (setKohdekansio)
            setKohdekansio(kohdekansio);
    }
    void progress(int value) const
    {
        if (setProgress)
            setProgress(value);
    }
    void letEventsRun() const
    {
        if (yield)
            yield();
    }
    // An error box: exclamation icon, one OK button.
    void error(const QString& text, const QString& title) const
    {
        platform::MessageBoxRequest request;
        request.text = text;
        request.title = title;
        request.buttons = platform::MsgButtons::Ok;
        request.icon = platform::MsgIcon::Exclamation;
        if (showMessage)
            showMessage(request);
        else
            platform::messageBox(request);
    }
};

} // namespace vuska::setup

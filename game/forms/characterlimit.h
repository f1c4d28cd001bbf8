#pragma once

#include <functional>

#include <QValidator>

namespace vuska {

// Holds a text box to a number of characters as a reader counts them: a letter with its
// combining marks, or an emoji made of several code points, is one character and is never
// split. A further rule (`fits`) may hold the whole text to what it is kept in, such as a store
// that gives back only so many bytes. What does not fit of an insertion (a typed character, a
// paste) is left out, so the text already there stays as it was, as a text box with a plain
// length limit does.
class CharacterLimitValidator : public QValidator {
public:
    CharacterLimitValidator(int limit, std::function<bool(const QString&)> fits, QObject* parent);

    State validate(QString& input, int& pos) const override;

    // The number of characters of the text, as above.
    static int characterCount(const QString& text);
    // The first `count` characters of the text.
    static QString leftCharacters(const QString& text, int count);

private:
    bool acceptable(const QString& text) const;

    int limit_;
    std::function<bool(const QString&)> fits_;
    // The text as last accepted: an edit is what differs from it.
    mutable QString accepted_;
};

} // namespace vuska

#include "game/forms/characterlimit.h"

#include <QTextBoundaryFinder>

namespace vuska {

namespace {

bool atBoundary(const QString& text, qsizetype position)
{
    if (position <= 0 || position >= text.size())
        return true;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    finder.setPosition(position);
    return finder.isAtBoundary();
}

} // namespace

CharacterLimitValidator::CharacterLimitValidator(int limit, std::function<bool(const QString&)> fits,
                                                 QObject* parent)
    : QValidator(parent), limit_(limit), fits_(std::move(fits))
{
}

bool CharacterLimitValidator::acceptable(const QString& text) const
{
    return characterCount(text) <= limit_ && (!fits_ || fits_(text));
}

int CharacterLimitValidator::characterCount(const QString& text)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    int count = 0;
    while (finder.toNextBoundary() > 0)
        ++count;
    return count;
}

QString CharacterLimitValidator::leftCharacters(const QString& text, int count)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype end = 0;
    for (int i = 0; i < count; ++i) {
        const qsizetype next = finder.toNextBoundary();
        if (next < 0)
            break;
        end = next;
    }
    return text.left(end);
}

QValidator::State CharacterLimitValidator::validate(QString& input, int& pos) const
{
    if (!acceptable(input)) {
        // The edit is what lies between the part in front and the part behind that the text
        // shares with the last accepted one, each ending on a character's edge.
        qsizetype front = 0;
        while (front < input.size() && front < accepted_.size() && input[front] == accepted_[front])
            ++front;
        qsizetype back = 0;
        while (back < input.size() - front && back < accepted_.size() - front &&
               input[input.size() - 1 - back] == accepted_[accepted_.size() - 1 - back])
            ++back;
        while (!atBoundary(input, front))
            --front;
        while (!atBoundary(input, input.size() - back))
            --back;
        const QString head = input.left(front);
        const QString inserted = input.mid(front, input.size() - front - back);
        const QString tail = input.right(back);
        // As much of the insertion as fits, whole characters only.
        const int room = limit_ - characterCount(head) - characterCount(tail);
        QString kept = leftCharacters(inserted, std::max(room, 0));
        while (!kept.isEmpty() && !acceptable(head + kept + tail))
            kept = leftCharacters(kept, characterCount(kept) - 1);
        input = head + kept + tail;
        if (!acceptable(input)) { // nothing of it was the edit: cut the end
            input = leftCharacters(input, limit_);
            for (int count = characterCount(input); count > 0 && !acceptable(input); --count)
                input = leftCharacters(input, count - 1);
        }
        pos = int(std::min<qsizetype>(head.size() + kept.size(), input.size()));
    }
    accepted_ = input;
    return Acceptable;
}

} // namespace vuska

#include "game/engine/mdlvuska.h"

#include "platform/language.h"

namespace vuska {

using platform::MessageBoxRequest;
using platform::MsgIcon;

namespace {

// Where each picture goes in the deal, in dealing order: the human's card of a column
// first, then the computer's. Changes are from the deck spot.
struct DealMove {
    int slot;
    double dx;
    double dy;
};
constexpr DealMove dealOrder[] = {
    {5, -176, 144}, {0, -176, -160}, {6, -88, 144}, {1, -88, -160}, {7, 0, 144},
    {2, 0, -160},   {8, 88, 144},    {3, 88, -160}, {9, 176, 144},  {4, 176, -160},
};

constexpr auto Jiggle = CardPictures::Step::Jiggle;
constexpr auto Deal = CardPictures::Step::Deal;
constexpr double jiggleX = 200.0 / 15.0;
constexpr double jiggleY = 100.0 / 15.0;


} // namespace

QString mdlVuska::pictureFilePath(const QString& baseName) const
{
    return ProgramFolder + QLatin1Char('/') + baseName + QStringLiteral(".jpg");
}

QString helpFileIn(const QString& programFolder)
{
    using platform::language::Language;
    const Language language = platform::language::current();
    if (language == Language::Finnish)
        return programFolder + QStringLiteral("/vuska.hlp");
    return QStringLiteral(":/help/%1/vuska.hlp").arg(platform::language::code(language));
}

QString mdlVuska::helpFilePath() const
{
    return helpFileIn(ProgramFolder);
}

QString mdlVuska::fileMissing(const QString& path)
{
    return tr("Tiedostoa %1 ei löydy.\nOle hyvä ja asenna ohjelma uudelleen.").arg(path);
}

double mdlVuska::handLeft(int slot)
{
    return 8.0 + 88.0 * (slot % FirstHumanSlot);
}

double mdlVuska::handTop(int slot)
{
    return isComputerSlot(slot) ? 8.0 : 312.0;
}

bool mdlVuska::LoadCardBacks()
{
    const QString back = pictureFilePath(QStringLiteral("tausta"));
    for (int k = 0; k < SlotCount; ++k) {
        if (!pictures_.loadPicture(k, back)) {
            user_.setScreenPointer(platform::ScreenPointer::Default);
            MessageBoxRequest box;
            box.text = fileMissing(back);
            box.title = tr("Virhe");
            box.icon = MsgIcon::Exclamation;
            user_.messageBox(box);
            user_.endProgram();
            return false;
        }
        pictures_.setHeight(k, CardHeight);
        pictures_.setWidth(k, CardWidth);
    }
    return true;
}

void mdlVuska::ShuffleAnimation()
{
    user_.setNewGameEnabled(false);
    for (int k = 0; k < SlotCount; ++k) {
        pictures_.setLeft(k, DeckLeft);
        pictures_.setTop(k, DeckTop);
    }
    pictures_.showStep(Deal);

    const auto jiggle = [this](int k, double sign) {
        pictures_.setLeft(k, pictures_.left(k) - sign * jiggleX);
        pictures_.showStep(Jiggle);
        pictures_.setLeft(k, pictures_.left(k) + sign * jiggleX);
        pictures_.showStep(Jiggle);
        pictures_.setTop(k, pictures_.top(k) - sign * jiggleY);
        pictures_.showStep(Jiggle);
        pictures_.setTop(k, pictures_.top(k) + sign * jiggleY);
        pictures_.showStep(Jiggle);
    };
    for (int pass = 0; pass < 2; ++pass) {
        for (int j = 0; j < FirstHumanSlot; ++j) {
            jiggle(j, 1.0);
            for (int m = FirstHumanSlot; m < SlotCount; ++m)
                jiggle(m, -1.0);
        }
    }
    user_.setNewGameEnabled(true);
}

void mdlVuska::DealOut()
{
    user_.setNewGameEnabled(false);
    const int n = AnimationSteps;
    if (ShowShuffleAndDeal && n > 0) {
        for (int k = 0; k < SlotCount; ++k) {
            pictures_.setLeft(k, DeckLeft);
            pictures_.setTop(k, DeckTop);
        }
        pictures_.showStep(Deal);
        for (const DealMove& move : dealOrder) {
            pictures_.bringToFront(move.slot);
            const double stepX = move.dx / n;
            const double stepY = move.dy / n;
            for (int step = 0; step < n; ++step) {
                pictures_.setLeft(move.slot, pictures_.left(move.slot) + stepX);
                pictures_.setTop(move.slot, pictures_.top(move.slot) + stepY);
                pictures_.showStep(Deal);
            }
        }
    } else {
        for (int k = 0; k < SlotCount; ++k) {
            pictures_.setLeft(k, handLeft(k));
            pictures_.setTop(k, handTop(k));
        }
    }
    user_.setNewGameEnabled(true);
}

bool mdlVuska::LoadCardFaces()
{
    for (int k = 0; k < SlotCount; ++k) {
        CardPicturePath[size_t(k)] = pictureFilePath(CardName[size_t(k)]);
        if (!isHumanSlot(k))
            continue;
        if (!pictures_.loadPicture(k, CardPicturePath[size_t(k)])) {
            playFaceMissing(CardPicturePath[size_t(k)], 9);
            return false;
        }
        pictures_.setPointingHand(k, true);
        pictures_.setHeight(k, CardHeight);
        pictures_.setWidth(k, CardWidth);
    }
    return true;
}

void mdlVuska::playFaceMissing(const QString& path, int helpContext)
{
    user_.setScreenPointer(platform::ScreenPointer::Default);
    MessageBoxRequest box;
    box.text = fileMissing(path);
    box.title = tr("Virhe");
    box.icon = MsgIcon::Exclamation;
    box.helpFile = helpFilePath();
    box.helpContext = helpContext;
    user_.messageBox(box);
    user_.endProgram();
}

} // namespace vuska

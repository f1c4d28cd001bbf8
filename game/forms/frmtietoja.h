#pragma once

#include <array>
#include <functional>

#include <QCursor>
#include <QUrl>

#include "platform/twipsdialog.h"

class QLabel;
class QPushButton;

namespace vuska {

// The about box: name, version and author beside a picture, and links to the author's
// e-mail and home page. It also holds the pointing-hand cursor of the program.
class frmTietoja : public platform::DialogForm {
    Q_OBJECT
public:
    frmTietoja(const QString& programFolder, QWidget* parent);

    // The author's addresses: the build's, unless a test has set others (boxes made after
    // it show them); two empty texts give the build's back.
    static QString authorEmail();
    static QString homePage();
    static void setAddresses(const QString& email, const QString& homePage);
    // The pointing hand (pSormikursori) shown over links and playable cards.
    static QCursor pointingHandCursor();

    void showModal();
    void Form_Load();
    void cmdPainike_Click();
    void lblTeksti_Click(int index);

    QLabel* lblTeksti(int index) const { return lblTeksti_[size_t(index)]; }
    QPushButton* cmdPainike() const { return cmdPainike_; }

    // How an address is handed to the desktop; tests watch it instead.
    using UrlOpener = std::function<bool(const QUrl&)>;
    static void setUrlOpener(UrlOpener opener);

private:
    void openLink(const QString& address, const QString& failure);

    QString programFolder_;
    std::array<QLabel*, 7> lblTeksti_{};
    QLabel* pTaustakuva_;
    QPushButton* cmdPainike_;
};

} // namespace vuska

#pragma once
// The about box: credits rising through a black panel, moved every 50 ms by a step pacer
// while the box is shown, and a link that writes to the author.

#include "widgets/FormParts.h"
#include "core/StepPacer.h"

#include <QStringList>
#include <QUrl>

#include <functional>

namespace tivane {

class AboutBox : public FramelessDialog
{
    Q_OBJECT
public:
    // The contact address, scrambled with the key word (see descramble.h).
    static constexpr char ContactKey[] = "Coccinelle";
    static constexpr char ScrambledContact[] =
        "\xB0\xD0\xCC\xCF\xDD\xDD\x9F\xCF\xDB\xD3\xB7\xD0\xC6\xD7\xA9\xE2\xCE\xE2\xCD\xD3\xA8"
        "\x9D\xC8\xDB\xCA\xDB\xD5\xD8\xD1\x93\xB2\xE1\xCA";

    static QStringList creditLines();

    explicit AboutBox(QWidget *parent = nullptr);
    ~AboutBox() override;

    // Opens the contact link; QDesktopServices::openUrl unless replaced.
    using UrlOpener = std::function<void(const QUrl &)>;
    void setUrlOpener(UrlOpener opener) { m_openUrl = std::move(opener); }

    // One step of the credits: up 2 pixels, back in from the bottom once they have left at the top.
    void scrollCredits();

    static constexpr int CreditsStepMs = 50;

    // The pacer that moves the credits while the box is shown.
    StepPacer *creditsPacer() const { return m_creditsPacer; }

public slots:
    // FERMER
    void closeBox();
    // "Ecrire à l'auteur"
    void writeToAuthor();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void startCredits();
    void stopCredits();

    QWidget *m_p1;
    QLabel *m_gen;
    StepPacer *m_creditsPacer;
    UrlOpener m_openUrl;
};

} // namespace tivane

#pragma once

#include "social/phrase_model.h"

#include <QDialog>

#include <array>
#include <functional>

class QLineEdit;
class QPixmap;
class QPushButton;

namespace lastling::social {

// The phrase editor ("View", "Phrase List"): nine fields filled from the buttons at every
// opening. "Done" gives the texts to the buttons and saves them; closing it any other way
// changes nothing. Not modal: the table goes on while it is open.
class PhraseEditor : public QDialog {
    Q_OBJECT
public:
    // Writes "Phrase1".."Phrase9"; false when the file could not be written (the saver reports
    // why), which keeps the editor open so the player can try again.
    using Saver = std::function<bool(const PhraseTexts& texts)>;

    static constexpr int kClientWidth = 368;
    static constexpr int kClientHeight = 265;

    explicit PhraseEditor(PhraseModel& model, QWidget* parent = nullptr);

    void setSaver(Saver saver) { m_saver = std::move(saver); }
    // The main window's tile, laid over white.
    void setBackgroundTile(const QPixmap& tile);

    QLineEdit* field(int number) const; // 1..9, else null
    QPushButton* doneButton() const { return m_done; }

    void openEditor();
    void button_doneClick();

private:
    int buildFields(); // how much wider the captions made the window

    PhraseModel& m_model;
    std::array<QLineEdit*, kPhraseCount> m_fields{};
    QPushButton* m_done = nullptr;
    Saver m_saver;
};

} // namespace lastling::social

#pragma once

#include <QComboBox>

class EditBox;

// Keypad combo box: Left and Right step through the items with wrap-around,
// Up and Down move between fields, Return opens the list.
class ComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit ComboBox(QWidget *parent = nullptr);

    // Editable combo boxes edit through an EditBox, so they get its keypad rules.
    void setEditable(bool on);
    void setEditMode(bool on);
    // Would the text, with input typed at its end, still begin some item?
    bool validateInput(QString &input);

    EditBox *editBox;

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

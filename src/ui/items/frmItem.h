#pragma once

#include "core/items/ItemHandling.h"

#include <QMainWindow>
#include <array>

class Navigator;
class RichTextBox;
class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;

// The Item Creator window: the 36 item fields on tabbed pages, the weapon, armour and extra
// groups, the trigger buttons for the additional text, and the generated item script.
// The window holds no data beyond its controls.
class frmItem : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int TriggerCount = 11;

    explicit frmItem(Navigator &navigator, QWidget *parent = nullptr);

    QTabWidget *SSItem;

    // "Basic Definitions"
    QGroupBox *Frame2;
    QGroupBox *frmWep;
    QGroupBox *frmArmor;
    QGroupBox *frmExtra;
    QCheckBox *chkWep;
    QCheckBox *chkArmor;
    QCheckBox *Check1;
    std::array<QLabel *, ItemHandling::FieldCount> lblBasic{};
    std::array<QLineEdit *, ItemHandling::FieldCount> txtBasic{};

    // "@Create"
    QLabel *Label1;
    QGroupBox *Frame4;
    QGroupBox *Frame5;
    QGroupBox *Frame3;

    // "Additional"
    QGroupBox *Frame6;
    RichTextBox *txtAdd;
    QGroupBox *Frame7;
    std::array<QPushButton *, TriggerCount> cmdTrig{};

    // "Compiled"
    QGroupBox *Frame1;
    QComboBox *cmbFont;
    QComboBox *cmbFontSize;
    RichTextBox *txtOutput;

    QMenu *mnuScript;
    QAction *l;
    QAction *mnuReturn;

public slots:
    void Form_Load();
    void chkWep_Click();
    void chkArmor_Click();
    void Check1_Click();
    void cmdTrig_Click(int index);
    void cmbFont_Click();
    void cmbFontSize_Click();
    void SSItem_Click(int index);
    void mnuReturn_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *addPage(const char *name);
    QWidget *buildBasicPage();
    QWidget *buildCreatePage();
    QWidget *buildAdditionalPage();
    QWidget *buildCompiledPage();
    QGroupBox *addFrame(QWidget *page, const char *name, const QRect &place);
    void addFieldRows(QGroupBox *frame, int first, int last, int top);
    QCheckBox *addFrameSwitch(QWidget *page, const char *name, const char *caption, QGroupBox *frame);
    // One of the two exclusive groups was switched on or off by its own box.
    void switchExclusiveGroup(QCheckBox *own, QGroupBox *ownFrame, QCheckBox *other, QGroupBox *otherFrame,
                              int firstField, int lastField);
    QStringList fieldValues() const;

    Navigator &m_navigator;
    bool m_typedEntry = false; // a font box is taking typed text, which chooses nothing
};

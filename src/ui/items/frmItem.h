#pragma once

#include "core/definitions/DefinitionKind.h"
#include "core/definitions/ScriptFile.h"
#include "core/items/ItemHandling.h"
#include "ui/widgets/DefinitionDocument.h"

#include <QMainWindow>
#include <array>
#include <optional>

class RichTextBox;
class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QTabWidget;

// The Item Creator window: the 36 item fields on tabbed pages, the weapon, armour and extra
// groups, the trigger buttons for the additional text, and the generated item script.
// It is a document of one item section: new, or read from a script file of many sections, into
// which Save writes it back in place. What the form changed is all that differs from the
// section read; the title names the file and marks unsaved work, and the window asks before
// work not yet saved or copied is thrown away.
class frmItem : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int TriggerCount = 11;

    frmItem(Navigator &navigator, UserPrompts &prompts, QWidget *parent = nullptr);

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
    QPushButton *cmdCopy;
    QListWidget *lstItemWarnings;

    QMenu *mnuScript;
    QAction *MnuScriptNew;
    QAction *MnuScriptOpen;
    QAction *MnuScriptSave;
    QAction *MnuScriptSaveAs;
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
    void MnuScriptNew_Click();
    void MnuScriptOpen_Click();
    void MnuScriptSave_Click();
    void MnuScriptSaveAs_Click();
    void cmdCopy_Click();

public:
    // Whether the form changed since it was opened, saved or copied.
    bool isChanged() const { return m_document.isChanged(); }
    // The section the form makes: the one read or saved last, with the form's changes.
    DefinitionSection compiledSection() const;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildBasicPage();
    QWidget *buildCreatePage();
    QWidget *buildAdditionalPage();
    QWidget *buildCompiledPage();
    void addFieldRows(QGroupBox *frame, int first, int last, int top);
    QCheckBox *addFrameSwitch(QWidget *page, const char *name, const char *caption, QGroupBox *frame);
    // One of the two exclusive groups was switched on or off by its own box.
    void switchExclusiveGroup(QCheckBox *own, QGroupBox *ownFrame, QCheckBox *other, QGroupBox *otherFrame,
                              int firstField, int lastField);
    QStringList fieldValues() const;
    // What the form holds, over what it showed of the section.
    FormValues formValues() const;
    void showCompiled();
    void trackChanges();
    // What the document has the form do (see DefinitionDocument::Form).
    void showNew();
    void showRead(const ScriptFile &file, qsizetype index);
    Outcome<qsizetype> writeInto(const QString &path, const std::optional<ScriptFile::Place> &replacing);
    void fillForm(const FormValues &form);

    DefinitionSection m_base; // the section read or saved last; a new item's until then
    FormValues m_shown;       // what the form showed of it
    DefinitionDocument m_document;
    bool m_typedEntry = false; // a font box is taking typed text, which chooses nothing
};

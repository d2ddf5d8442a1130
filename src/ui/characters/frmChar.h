#pragma once

#include "core/characters/CharacterScript.h"
#include "ui/widgets/DefinitionDocument.h"

#include <QMainWindow>
#include <QMap>
#include <array>

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
class QTableWidget;
class QTabWidget;

// The NPC Creator window: one NPC as a character definition on tabbed pages (its body keys, what
// it is made with under ON=@Create, the conversation it opens, its other triggers) and the script
// they make. Like the Item Creator it is a document of one section, read from a script file of
// many sections and saved back in place, together with the speech section its conversation
// names; "Save with Conversation" also exports the conversation's project beside it.
class frmChar : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int TriggerCount = 10;

    frmChar(Navigator &navigator, UserPrompts &prompts, QWidget *parent = nullptr);

    QTabWidget *SSChar;

    // "Basic Definitions": the name, the body and the keys of the definition, by key.
    QGroupBox *fraBody;
    QGroupBox *fraBody2;
    QLineEdit *txtName;
    QComboBox *cmbID;
    QMap<QString, QLineEdit *> txtBody;
    QLabel *lblBodyNote;

    // "@Create"
    QLabel *Label1;
    QGroupBox *fraNpc;
    QComboBox *cmbBrain;
    QLineEdit *txtSkin;
    QMap<QString, QLineEdit *> txtCreate;
    QCheckBox *chkStay;
    QGroupBox *fraSkills;
    QTableWidget *tblSkills;
    QGroupBox *fraItems;
    QTableWidget *tblItems;
    QPushButton *cmdAddItem;
    QPushButton *cmdRemoveItem;

    // "Conversation"
    QGroupBox *fraConversation;
    QLineEdit *txtProject;
    QPushButton *cmdProject;
    QPushButton *cmdNoConversation;
    QLineEdit *txtPrefix;
    QLabel *lblPage;
    QLineEdit *txtSpeaker;
    QLineEdit *txtWords;
    QCheckBox *chkDClick;
    QLineEdit *txtSpeeches;

    // "Additional"
    QGroupBox *Frame6;
    RichTextBox *txtAdd;
    QGroupBox *Frame7;
    std::array<QPushButton *, TriggerCount> cmdTrig{};

    // "Compiled"
    QGroupBox *Frame1;
    QPushButton *cmdCopy;
    RichTextBox *txtOutput;
    QListWidget *lstCharWarnings;

    QMenu *mnuScript;
    QAction *MnuScriptNew;
    QAction *MnuScriptOpen;
    QAction *MnuScriptSave;
    QAction *MnuScriptSaveAs;
    QAction *MnuScriptSaveWith;
    QAction *MnuScriptCopy;
    QAction *l;
    QAction *mnuReturn;

public slots:
    void SSChar_Click(int index);
    void cmdAddItem_Click();
    void cmdRemoveItem_Click();
    void cmdProject_Click();
    void cmdNoConversation_Click();
    void cmdTrig_Click(int index);
    void cmdCopy_Click();
    void mnuReturn_Click();
    void MnuScriptNew_Click();
    void MnuScriptOpen_Click();
    void MnuScriptSave_Click();
    void MnuScriptSaveAs_Click();
    void MnuScriptSaveWith_Click();

public:
    bool isChanged() const { return m_document.isChanged(); }
    // The sections the form makes: those read or saved last, with the form's changes.
    CharacterScript compiledScript() const;
    // What the form holds, over what it showed of the sections.
    CharacterForm formValues() const;
    // The last chosen project name; the project dialog starts from it.
    QString cdlProject;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *buildBasicPage();
    QWidget *buildCreatePage();
    QWidget *buildConversationPage();
    QWidget *buildAdditionalPage();
    QWidget *buildCompiledPage();
    // A row of a frame: "KEY=" and its box, at row `row`.
    QLineEdit *addRow(QGroupBox *frame, const QString &name, const QString &label, int row);
    QComboBox *addComboRow(QGroupBox *frame, const QString &name, const QString &label, int row,
                           const QStringList &entries);
    void trackChanges();
    void showCompiled();
    void showConversation();
    // What the document has the form do (see DefinitionDocument::Form).
    void showNew();
    void showRead(const ScriptFile &file, qsizetype index);
    DefinitionSection compiledCharacter() const { return compiledScript().character; }
    Outcome<qsizetype> writeInto(const QString &path, const std::optional<ScriptFile::Place> &replacing);
    void fillForm(const CharacterForm &form);
    void addItemRow(const OutfitItem &item);

    UserPrompts &m_prompts;
    CharacterScript m_base; // the sections read or saved last; a new NPC's until then
    CharacterForm m_shown;  // what the form showed of them
    DefinitionDocument m_document;
    QString m_speaker; // the speaker of the chosen conversation's project
};

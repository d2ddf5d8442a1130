#include "ui/characters/frmChar.h"

#include "core/characters/BaseBodies.h"
#include "core/characters/CharacterKind.h"
#include "ui/widgets/CreatorPages.h"
#include "ui/widgets/RichTextBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableWidget>
#include <functional>

using namespace CreatorPages;

namespace {
constexpr int rowsTop = 12;
constexpr int labelWidth = 112;

const QStringList triggerCaptions{"@Click",       "@Death",         "@GetHit",        "@Hit",
                                  "@Kill",        "@NPCAcceptItem", "@NPCLookAtChar", "@NPCRestock",
                                  "@ReceiveItem", "@Destroy"};

const QStringList brains{
    "brain_human",          "brain_vendor",  "brain_healer",  "brain_guard",  "brain_banker", "brain_animal",
    "brain_animal_trainer", "brain_monster", "brain_berserk", "brain_dragon", "brain_none"};

// The entries of the key table shown in a group, in the table's order.
QList<qsizetype> entriesOf(const char *group) {
    QList<qsizetype> found;
    const QList<KeyEntry> &entries = characterKind().keys().entries();
    for (qsizetype i = 0; i < entries.size(); ++i)
        if (entries[i].group == QLatin1String(group))
            found << i;
    return found;
}

// Names typed in one box, parted by blanks or commas.
QStringList namesIn(const QString &text) {
    static const QRegularExpression parts(QStringLiteral("[\\s,]+"));
    return text.split(parts, Qt::SkipEmptyParts);
}
} // namespace

frmChar::frmChar(Navigator &navigator, UserPrompts &prompts, QWidget *parent)
    : QMainWindow(parent), m_prompts(prompts), m_base(CharacterScripts::fresh()),
      m_shown(CharacterForms::empty()),
      m_document(*this, prompts, navigator,
                 {characterKind().shape().sectionType, QStringLiteral("NPC"),
                  QStringLiteral("RNZ Script NPC Creator"), QStringLiteral("charScript")},
                 {std::bind_front(&frmChar::showNew, this), std::bind_front(&frmChar::showRead, this),
                  std::bind_front(&frmChar::compiledCharacter, this),
                  std::bind_front(&frmChar::writeInto, this)}) {
    setObjectName(QStringLiteral("frmChar"));

    mnuScript = menuBar()->addMenu(QStringLiteral("Script"));
    mnuScript->setObjectName(QStringLiteral("mnuScript"));
    MnuScriptNew = addCommand(mnuScript, "MnuScriptNew", "New", QKeySequence(Qt::CTRL | Qt::Key_N), this,
                              &frmChar::MnuScriptNew_Click);
    MnuScriptOpen = addCommand(mnuScript, "MnuScriptOpen", "Open...", QKeySequence(Qt::CTRL | Qt::Key_O),
                               this, &frmChar::MnuScriptOpen_Click);
    MnuScriptSave = addCommand(mnuScript, "MnuScriptSave", "Save", QKeySequence(Qt::CTRL | Qt::Key_S), this,
                               &frmChar::MnuScriptSave_Click);
    MnuScriptSaveAs =
        addCommand(mnuScript, "MnuScriptSaveAs", "Save As...", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
                   this, &frmChar::MnuScriptSaveAs_Click);
    MnuScriptSaveWith =
        addCommand(mnuScript, "MnuScriptSaveWith", "Save with Conversation",
                   QKeySequence(Qt::CTRL | Qt::Key_E), this, &frmChar::MnuScriptSaveWith_Click);
    MnuScriptCopy = addCommand(mnuScript, "MnuScriptCopy", "Copy",
                               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), this, &frmChar::cmdCopy_Click);
    l = mnuScript->addSeparator();
    l->setObjectName(QStringLiteral("l"));
    mnuReturn = addCommand(mnuScript, "mnuReturn", "Return", QKeySequence(), this, &frmChar::mnuReturn_Click);

    SSChar = addTabs(*this, "SSChar");
    SSChar->addTab(buildBasicPage(), QStringLiteral("Basic Definitions"));
    SSChar->addTab(buildCreatePage(), QStringLiteral("@Create"));
    SSChar->addTab(buildConversationPage(), QStringLiteral("Conversation"));
    SSChar->addTab(buildAdditionalPage(), QStringLiteral("Additional"));
    SSChar->addTab(buildCompiledPage(), QStringLiteral("Compiled"));
    SSChar->setCurrentIndex(0);
    connect(SSChar, &QTabWidget::currentChanged, this, &frmChar::SSChar_Click);

    fitToTabs(*this, SSChar);

    fillForm(CharacterForms::newCharacter());
    trackChanges();
}

QLineEdit *frmChar::addRow(QGroupBox *frame, const QString &name, const QString &label, int row) {
    auto *box = new QLineEdit(frame);
    box->setObjectName(QStringLiteral("txt") + name);
    CreatorPages::addRow(frame, QStringLiteral("lbl") + name, label, box, rowsTop + row * rowPitch,
                         labelWidth);
    return box;
}

QComboBox *frmChar::addComboRow(QGroupBox *frame, const QString &name, const QString &label, int row,
                                const QStringList &entries) {
    auto *box = new QComboBox(frame);
    box->setObjectName(QStringLiteral("cmb") + name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(entries);
    CreatorPages::addRow(frame, QStringLiteral("lbl") + name, label, box, rowsTop + row * rowPitch,
                         labelWidth, rowHeight + 2);
    return box;
}

QWidget *frmChar::buildBasicPage() {
    QWidget *page = addPage("pageBasic");
    const QList<qsizetype> body = entriesOf("body");
    const int rows = static_cast<int>(body.size() + 2) / 2;
    fraBody = addFrame(page, "fraBody", QRect(margin, margin, columnWidth, frameHeightFor(rows, rowsTop)));
    fraBody2 =
        addFrame(page, "fraBody2", QRect(rightColumn, margin, columnWidth, frameHeightFor(rows, rowsTop)));
    txtName = addRow(fraBody, QStringLiteral("Name"), QStringLiteral("[CHARDEF c_"), 0);
    int row = 1;
    for (const qsizetype i : body) {
        const KeyEntry &entry = characterKind().keys().entries()[i];
        QGroupBox *frame = row < rows ? fraBody : fraBody2;
        const int at = row < rows ? row : row - rows;
        if (entry.key == QLatin1String("ID"))
            cmbID = addComboRow(frame, QStringLiteral("ID"), entry.text(), at, BaseBodies::names());
        else
            txtBody[entry.key] = addRow(frame, QStringLiteral("Body_") + entry.key, entry.text(), at);
        ++row;
    }
    lblBodyNote = new QLabel(
        QStringLiteral(
            "ID= comes first and names a base body (c_man, c_woman, or a number below 0800): it gives "
            "the NPC that body's CAN, DAM, ARMOR, SOUND, ICON, BLOODCOLOR, RESOURCES, HEIGHT, FOODTYPE, "
            "MAXFOOD and DESIRES, which the keys given here replace. DESIRES, AVERSIONS and FOODTYPE "
            "add to the base body's lists unless the value starts with \"0,\". The NPC's colour, stats "
            "and brain go on the \"@Create\" tab."),
        page);
    lblBodyNote->setObjectName(QStringLiteral("lblBodyNote"));
    lblBodyNote->setWordWrap(true);
    const int top = fraBody->geometry().bottom() + 12;
    lblBodyNote->setGeometry(margin + 2, top, pageSize.width() - 2 * margin - 4,
                             pageSize.height() - top - margin);
    lblBodyNote->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return page;
}

QWidget *frmChar::buildCreatePage() {
    QWidget *page = addPage("pageCreate");
    Label1 = addCreateHeading(page);

    const QList<qsizetype> create = entriesOf("create");
    const int framesTop = margin + 36;
    // The NPC's keys, its own colour among them, and "stays in place" below them.
    const int rows = static_cast<int>(create.size()) + 2;
    fraNpc = addFrame(page, "fraNpc", QRect(margin, framesTop, columnWidth, frameHeightFor(rows, rowsTop)));
    int row = 0;
    for (const qsizetype i : create) {
        const KeyEntry &entry = characterKind().keys().entries()[i];
        if (entry.key == QLatin1String("NPC"))
            cmbBrain = addComboRow(fraNpc, QStringLiteral("Brain"), entry.text(), row++, brains);
        else
            txtCreate[entry.key] = addRow(fraNpc, QStringLiteral("Create_") + entry.key, entry.text(), row++);
        if (entry.key == QLatin1String("TITLE")) // the NPC's own colour, above its items
            txtSkin = addRow(fraNpc, QStringLiteral("Skin"), QStringLiteral("COLOR="), row++);
    }
    chkStay = new QCheckBox(QStringLiteral("Stays in place (FLAGS|=statf_freeze)"), fraNpc);
    chkStay->setObjectName(QStringLiteral("chkStay"));
    chkStay->setGeometry(labelLeft + 24, rowsTop + row * rowPitch, columnWidth - labelLeft - 36, rowHeight);

    fraSkills = addFrame(page, "fraSkills", QRect(rightColumn, framesTop, columnWidth, fraNpc->height()));
    tblSkills = new QTableWidget(static_cast<int>(skillKeys().size()), 2, fraSkills);
    tblSkills->setObjectName(QStringLiteral("tblSkills"));
    tblSkills->setHorizontalHeaderLabels({QStringLiteral("Skill"), QStringLiteral("Value (50.0)")});
    tblSkills->verticalHeader()->hide();
    tblSkills->verticalHeader()->setDefaultSectionSize(rowHeight);
    tblSkills->horizontalHeader()->setStretchLastSection(true);
    tblSkills->setColumnWidth(0, 150);
    for (int i = 0; i < skillKeys().size(); ++i) {
        auto *name = new QTableWidgetItem(skillKeys()[i]);
        name->setFlags(Qt::ItemIsEnabled);
        tblSkills->setItem(i, 0, name);
        tblSkills->setItem(i, 1, new QTableWidgetItem);
    }
    tblSkills->setGeometry(fraSkills->rect().adjusted(8, 10, -8, -8));

    const int itemsTop = fraNpc->geometry().bottom() + 8;
    fraItems = addFrame(
        page, "fraItems",
        QRect(margin, itemsTop, pageSize.width() - 2 * margin, pageSize.height() - margin - itemsTop));
    tblItems = new QTableWidget(0, 3, fraItems);
    tblItems->setObjectName(QStringLiteral("tblItems"));
    tblItems->setHorizontalHeaderLabels(
        {QStringLiteral("ITEM="), QStringLiteral("COLOR= (of the item)"), QStringLiteral("Newbie")});
    tblItems->verticalHeader()->hide();
    tblItems->verticalHeader()->setDefaultSectionSize(rowHeight);
    tblItems->setColumnWidth(0, 260);
    tblItems->setColumnWidth(1, 160);
    tblItems->horizontalHeader()->setStretchLastSection(true);
    const int buttonsWidth = 120;
    tblItems->setGeometry(8, 10, fraItems->width() - buttonsWidth - 24, fraItems->height() - 18);
    cmdAddItem = new QPushButton(QStringLiteral("Add Item"), fraItems);
    cmdAddItem->setObjectName(QStringLiteral("cmdAddItem"));
    cmdAddItem->setGeometry(fraItems->width() - buttonsWidth - 8, 10, buttonsWidth, 28);
    cmdRemoveItem = new QPushButton(QStringLiteral("Remove Item"), fraItems);
    cmdRemoveItem->setObjectName(QStringLiteral("cmdRemoveItem"));
    cmdRemoveItem->setGeometry(fraItems->width() - buttonsWidth - 8, 44, buttonsWidth, 28);
    connect(cmdAddItem, &QPushButton::clicked, this, &frmChar::cmdAddItem_Click);
    connect(cmdRemoveItem, &QPushButton::clicked, this, &frmChar::cmdRemoveItem_Click);
    return page;
}

QWidget *frmChar::buildConversationPage() {
    QWidget *page = addPage("pageConversation");
    fraConversation = addFrame(page, "fraConversation",
                               QRect(QPoint(0, 0), pageSize).adjusted(margin, margin, -margin, -margin));
    constexpr int left = 180, width = 340;
    const auto row = [this](int at, const char *name, const char *caption) {
        auto *label = new QLabel(QString::fromLatin1(caption), fraConversation);
        label->setObjectName(QStringLiteral("lbl") + QString::fromLatin1(name));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setGeometry(labelLeft, 14 + at * 34, left - labelLeft - 8, rowHeight);
        auto *box = new QLineEdit(fraConversation);
        box->setObjectName(QStringLiteral("txt") + QString::fromLatin1(name));
        box->setGeometry(left, 14 + at * 34, width, rowHeight);
        label->setBuddy(box);
        return box;
    };
    txtProject = row(0, "Project", "Conversation (.QDS):");
    txtProject->setReadOnly(true);
    cmdProject = new QPushButton(QStringLiteral("Choose..."), fraConversation);
    cmdProject->setObjectName(QStringLiteral("cmdProject"));
    cmdProject->setGeometry(left + width + 8, 12, 70, 26);
    cmdNoConversation = new QPushButton(QStringLiteral("None"), fraConversation);
    cmdNoConversation->setObjectName(QStringLiteral("cmdNoConversation"));
    cmdNoConversation->setGeometry(left + width + 84, 12, 60, 26);
    connect(cmdProject, &QPushButton::clicked, this, &frmChar::cmdProject_Click);
    connect(cmdNoConversation, &QPushButton::clicked, this, &frmChar::cmdNoConversation_Click);
    txtPrefix = row(1, "Prefix", "Dialog prefix:");
    lblPage = new QLabel(fraConversation);
    lblPage->setObjectName(QStringLiteral("lblPage"));
    lblPage->setGeometry(left + width + 8, 14 + 34, 150, rowHeight);
    txtSpeaker = row(2, "Speaker", "Speaker:");
    txtSpeaker->setReadOnly(true);
    txtWords = row(3, "Words", "Greeting words:");
    chkDClick = new QCheckBox(QStringLiteral("Double-click opens it too"), fraConversation);
    chkDClick->setObjectName(QStringLiteral("chkDClick"));
    chkDClick->setGeometry(left, 14 + 4 * 34, width, rowHeight);
    txtSpeeches = row(5, "Speeches", "Other speech (TSPEECH=):");
    auto *note = new QLabel(
        QStringLiteral(
            "A player who says a greeting word near the NPC (within 14 tiles; the nearest NPC hears "
            "it) gets page 0 of the conversation, as one who double-clicks the NPC does; the page "
            "belongs to the player and its buttons work even when the NPC is gone. A word of three "
            "letters or fewer is also found inside longer words (\"hi\" in \"this\"). The other "
            "speech sections answer after the conversation's: one listed before it would answer "
            "\"hello\" first.\n\n\"Save with Conversation\" also exports the project beside the NPC's "
            "script, named after the project, with the support script its pages need."),
        fraConversation);
    note->setObjectName(QStringLiteral("lblConversationNote"));
    note->setWordWrap(true);
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    note->setGeometry(labelLeft + 10, 14 + 6 * 34 + 10, fraConversation->width() - 2 * labelLeft - 20, 160);
    connect(txtPrefix, &QLineEdit::textChanged, this, &frmChar::showConversation);
    return page;
}

QWidget *frmChar::buildAdditionalPage() {
    return addTriggerPage(triggerCaptions, Frame6, txtAdd, Frame7, cmdTrig,
                          [this](int i) { cmdTrig_Click(i); });
}

QWidget *frmChar::buildCompiledPage() {
    QWidget *page = addPage("pageCompiled");
    Frame1 =
        addFrame(page, "Frame1", QRect(QPoint(0, 0), pageSize).adjusted(margin, margin, -margin, -margin));
    cmdCopy = new QPushButton(QStringLiteral("Copy"), Frame1);
    cmdCopy->setObjectName(QStringLiteral("cmdCopy"));
    cmdCopy->setGeometry(10, 10, 80, 26);
    connect(cmdCopy, &QPushButton::clicked, this, &frmChar::cmdCopy_Click);
    const Output output = addOutput(Frame1, "lstCharWarnings", 96);
    txtOutput = output.text;
    lstCharWarnings = output.warnings;
    lstCharWarnings->setWordWrap(true);
    return page;
}

void frmChar::trackChanges() {
    const auto changed = [this] { m_document.setChanged(true); };
    for (QLineEdit *box : findChildren<QLineEdit *>())
        connect(box, &QLineEdit::textChanged, this, changed);
    for (QCheckBox *box : {chkStay, chkDClick})
        connect(box, &QCheckBox::toggled, this, changed);
    for (QTableWidget *table : {tblSkills, tblItems})
        connect(table, &QTableWidget::itemChanged, this, changed);
    connect(txtAdd, &QTextEdit::textChanged, this, changed);
}

void frmChar::SSChar_Click(int index) {
    if (index == 0)
        txtName->setFocus();
    else if (index == 4)
        showCompiled();
}

void frmChar::addItemRow(const OutfitItem &item) {
    const int row = tblItems->rowCount();
    tblItems->insertRow(row);
    tblItems->setItem(row, 0, new QTableWidgetItem(item.item));
    tblItems->setItem(row, 1, new QTableWidgetItem(item.colour));
    auto *newbie = new QTableWidgetItem;
    newbie->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    newbie->setCheckState(item.newbie ? Qt::Checked : Qt::Unchecked);
    tblItems->setItem(row, 2, newbie);
}

void frmChar::cmdAddItem_Click() {
    addItemRow({});
    tblItems->setCurrentCell(tblItems->rowCount() - 1, 0);
    tblItems->editItem(tblItems->item(tblItems->rowCount() - 1, 0));
    m_document.setChanged(true);
}

void frmChar::cmdRemoveItem_Click() {
    if (tblItems->currentRow() < 0)
        return;
    tblItems->removeRow(tblItems->currentRow());
    m_document.setChanged(true);
}

void frmChar::cmdTrig_Click(int index) {
    if (index < 0 || index >= TriggerCount)
        return;
    insertTrigger(txtAdd, cmdTrig[index]);
}

CharacterForm frmChar::formValues() const {
    CharacterForm form = m_shown;
    form.values.name = txtName->text();
    const QList<KeyEntry> &entries = characterKind().keys().entries();
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const KeyEntry &entry = entries[i];
        if (entry.group == QLatin1String("body"))
            form.values.values[i] =
                entry.key == QLatin1String("ID") ? cmbID->currentText() : txtBody[entry.key]->text();
        else if (entry.group == QLatin1String("create"))
            form.values.values[i] =
                entry.key == QLatin1String("NPC") ? cmbBrain->currentText() : txtCreate[entry.key]->text();
        else if (entry.group == QLatin1String("skill"))
            form.values.values[i] =
                tblSkills->item(static_cast<int>(skillKeys().indexOf(entry.key)), 1)->text();
    }
    form.skin = txtSkin->text();
    form.staysInPlace = chkStay->isChecked();
    form.items.clear();
    for (int row = 0; row < tblItems->rowCount(); ++row)
        if (const QString item = tblItems->item(row, 0)->text().trimmed(); !item.isEmpty())
            form.items.append({item, tblItems->item(row, 1)->text().trimmed(),
                               tblItems->item(row, 2)->checkState() == Qt::Checked});
    form.speeches = namesIn(txtSpeeches->text());
    form.link.reset();
    if (!txtPrefix->text().isEmpty())
        form.link = ConversationLink{txtPrefix->text(), namesIn(txtWords->text()), chkDClick->isChecked()};
    form.values.rest = txtAdd->text();
    return form;
}

void frmChar::fillForm(const CharacterForm &form) {
    txtName->setText(form.values.name);
    const QList<KeyEntry> &entries = characterKind().keys().entries();
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const KeyEntry &entry = entries[i];
        const QString &value = form.values.values[i];
        if (entry.group == QLatin1String("body"))
            entry.key == QLatin1String("ID") ? cmbID->setCurrentText(value)
                                             : txtBody[entry.key]->setText(value);
        else if (entry.group == QLatin1String("create"))
            entry.key == QLatin1String("NPC") ? cmbBrain->setCurrentText(value)
                                              : txtCreate[entry.key]->setText(value);
        else if (entry.group == QLatin1String("skill"))
            tblSkills->item(static_cast<int>(skillKeys().indexOf(entry.key)), 1)->setText(value);
    }
    txtSkin->setText(form.skin);
    chkStay->setChecked(form.staysInPlace);
    tblItems->setRowCount(0);
    for (const OutfitItem &item : form.items)
        addItemRow(item);
    txtSpeeches->setText(form.speeches.join(u' '));
    const ConversationLink link = form.link.value_or(ConversationLink{});
    txtProject->clear();
    m_speaker.clear();
    txtSpeaker->clear();
    txtPrefix->setText(link.prefix);
    txtWords->setText(link.words.join(u' '));
    chkDClick->setChecked(link.doubleClick);
    txtAdd->setText(form.values.rest);
    showConversation();
    if (SSChar->currentIndex() == 4)
        showCompiled();
}

void frmChar::showConversation() {
    lblPage->setText(txtPrefix->text().isEmpty()
                         ? QStringLiteral("(no conversation)")
                         : QStringLiteral("opens %1").arg(ConversationLinks::firstPage(txtPrefix->text())));
}

CharacterScript frmChar::compiledScript() const {
    return CharacterScripts::withForm(m_base, m_shown, formValues());
}

void frmChar::showCompiled() {
    const CharacterForm form = formValues();
    const CharacterScript script = CharacterScripts::withForm(m_base, m_shown, form);
    txtOutput->setText(CharacterScripts::text(script));
    lstCharWarnings->clear();
    lstCharWarnings->addItems(CharacterScripts::warnings(script, form));
    if (!txtProject->text().isEmpty() && m_speaker.isEmpty())
        lstCharWarnings->addItem(
            QStringLiteral("the conversation has no speaker: a page a greeting opens shows "
                           "\"0\" as the name; \"Save with Conversation\" offers the NPC's"));
}

void frmChar::cmdCopy_Click() {
    showCompiled();
    m_document.copy(txtOutput->text());
}

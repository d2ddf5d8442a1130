#include "ui/items/frmItem.h"

#include "core/definitions/ScriptFile.h"
#include "core/items/ItemKind.h"
#include "ui/widgets/CreatorPages.h"
#include "ui/widgets/RichTextBox.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTabWidget>
#include <functional>

using namespace CreatorPages;

namespace {
constexpr int labelWidth = 96;
// Room under a frame's top edge for the check box that sits on it.
constexpr int switchRoom = 20;
constexpr int groupGap = 26;

const QStringList triggerCaptions{"@CLICK",       "@DCLICK", "@STEP",         "@EQUIP",
                                  "@UNEQUIP",     "@TIMER",  "@TARGON_ITEM",  "@TARGON_GROUND",
                                  "@TARGON_CHAR", "@DAMAGE", "@DROPON_GROUND"};
} // namespace

frmItem::frmItem(Navigator &navigator, UserPrompts &prompts, QWidget *parent)
    : QMainWindow(parent), m_base(itemKind().fresh()), m_shown(itemKind().emptyForm()),
      m_document(*this, prompts, navigator,
                 {itemKind().shape().sectionType, QStringLiteral("item"), QStringLiteral("RNQ Script : Item"),
                  QStringLiteral("itemScript")},
                 {std::bind_front(&frmItem::showNew, this), std::bind_front(&frmItem::showRead, this),
                  std::bind_front(&frmItem::compiledSection, this),
                  std::bind_front(&frmItem::writeInto, this)}) {
    setObjectName(QStringLiteral("frmItem"));

    mnuScript = menuBar()->addMenu(QStringLiteral("Script"));
    mnuScript->setObjectName(QStringLiteral("mnuScript"));
    MnuScriptNew = addCommand(mnuScript, "MnuScriptNew", "New", QKeySequence(Qt::CTRL | Qt::Key_N), this,
                              &frmItem::MnuScriptNew_Click);
    MnuScriptOpen = addCommand(mnuScript, "MnuScriptOpen", "Open...", QKeySequence(Qt::CTRL | Qt::Key_O),
                               this, &frmItem::MnuScriptOpen_Click);
    MnuScriptSave = addCommand(mnuScript, "MnuScriptSave", "Save", QKeySequence(Qt::CTRL | Qt::Key_S), this,
                               &frmItem::MnuScriptSave_Click);
    MnuScriptSaveAs =
        addCommand(mnuScript, "MnuScriptSaveAs", "Save As...", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
                   this, &frmItem::MnuScriptSaveAs_Click);
    l = mnuScript->addSeparator();
    l->setObjectName(QStringLiteral("l"));
    mnuReturn = addCommand(mnuScript, "mnuReturn", "Return", QKeySequence(), this, &frmItem::mnuReturn_Click);

    SSItem = addTabs(*this, "SSItem");
    SSItem->addTab(buildBasicPage(), QStringLiteral("Basic Definitions"));
    SSItem->addTab(buildCreatePage(), QStringLiteral("@Create"));
    SSItem->addTab(buildAdditionalPage(), QStringLiteral("Additional"));
    SSItem->addTab(buildCompiledPage(), QStringLiteral("Compiled"));
    // The pages take the window colour, the colour the frame switches fill their caption with.
    for (int i = 0; i < SSItem->count(); ++i)
        SSItem->widget(i)->setAutoFillBackground(true);
    SSItem->setCurrentIndex(0);
    connect(SSItem, &QTabWidget::currentChanged, this, &frmItem::SSItem_Click);

    fitToTabs(*this, SSItem);

    Form_Load();
    trackChanges();
}

void frmItem::trackChanges() {
    const auto changed = [this] { m_document.setChanged(true); };
    for (QLineEdit *box : txtBasic)
        connect(box, &QLineEdit::textChanged, this, changed);
    connect(txtAdd, &QTextEdit::textChanged, this, changed);
    for (QCheckBox *box : {chkWep, chkArmor, Check1})
        connect(box, &QCheckBox::toggled, this, changed);
}

void frmItem::addFieldRows(QGroupBox *frame, int first, int last, int top) {
    for (int i = first; i <= last; ++i) {
        auto *box = new QLineEdit(frame);
        box->setObjectName(QStringLiteral("txtBasic_%1").arg(i));
        lblBasic[i] = addRow(frame, QStringLiteral("lblBasic_%1").arg(i), ItemHandling::keyText(i), box,
                             top + (i - first) * rowPitch, labelWidth);
        txtBasic[i] = box;
    }
}

QCheckBox *frmItem::addFrameSwitch(QWidget *page, const char *name, const char *caption, QGroupBox *frame) {
    // A sibling of the frame, not a child, so that it stays usable while the frame is hidden.
    auto *box = new QCheckBox(QString::fromLatin1(caption), page);
    box->setObjectName(QString::fromLatin1(name));
    box->setAutoFillBackground(true); // covers the frame's edge behind its caption
    box->adjustSize();
    box->move(frame->x() + 10, frame->y() - box->height() / 2);
    box->raise();
    return box;
}

QWidget *frmItem::buildBasicPage() {
    QWidget *page = addPage("pageBasic");

    Frame2 = addFrame(page, "Frame2", QRect(margin, margin, columnWidth, pageSize.height() - 2 * margin));
    addFieldRows(Frame2, 0, 18, 12);

    const int groupTop = margin + switchRoom / 2 + 4;
    const int rowsTop = switchRoom;
    frmWep = addFrame(page, "frmWep", QRect(rightColumn, groupTop, columnWidth, frameHeightFor(3, rowsTop)));
    addFieldRows(frmWep, 19, 21, rowsTop);
    frmArmor = addFrame(page, "frmArmor",
                        QRect(rightColumn, frmWep->geometry().bottom() + 1 + groupGap, columnWidth,
                              frameHeightFor(1, rowsTop)));
    addFieldRows(frmArmor, 22, 22, rowsTop);
    frmExtra = addFrame(page, "frmExtra",
                        QRect(rightColumn, frmArmor->geometry().bottom() + 1 + groupGap, columnWidth,
                              frameHeightFor(3, rowsTop)));
    addFieldRows(frmExtra, 23, 25, rowsTop);

    chkWep = addFrameSwitch(page, "chkWep", "Weapon", frmWep);
    chkArmor = addFrameSwitch(page, "chkArmor", "Armor", frmArmor);
    Check1 = addFrameSwitch(page, "Check1", "Extra", frmExtra);
    // toggled comes only with a real change, so setting a box to the state it has runs nothing.
    connect(chkWep, &QCheckBox::toggled, this, &frmItem::chkWep_Click);
    connect(chkArmor, &QCheckBox::toggled, this, &frmItem::chkArmor_Click);
    connect(Check1, &QCheckBox::toggled, this, &frmItem::Check1_Click);
    return page;
}

QWidget *frmItem::buildCreatePage() {
    QWidget *page = addPage("pageCreate");

    Label1 = addCreateHeading(page);

    const int framesTop = margin + 36;
    const int framesHeight = frameHeightFor(5, 12);
    Frame4 = addFrame(page, "Frame4", QRect(margin, framesTop, columnWidth, framesHeight));
    addFieldRows(Frame4, 26, 30, 12);
    Frame5 = addFrame(page, "Frame5", QRect(rightColumn, framesTop, columnWidth, framesHeight));
    addFieldRows(Frame5, 31, 35, 12);

    const int bottomTop = framesTop + framesHeight + 10;
    Frame3 = addFrame(
        page, "Frame3",
        QRect(margin, bottomTop, pageSize.width() - 2 * margin, pageSize.height() - margin - bottomTop));
    return page;
}

QWidget *frmItem::buildAdditionalPage() {
    return addTriggerPage(triggerCaptions, Frame6, txtAdd, Frame7, cmdTrig,
                          [this](int i) { cmdTrig_Click(i); });
}

QWidget *frmItem::buildCompiledPage() {
    QWidget *page = addPage("pageCompiled");

    Frame1 =
        addFrame(page, "Frame1", QRect(QPoint(0, 0), pageSize).adjusted(margin, margin, -margin, -margin));

    cmbFont = new QComboBox(Frame1);
    cmbFont->setObjectName(QStringLiteral("cmbFont"));
    cmbFontSize = new QComboBox(Frame1);
    cmbFontSize->setObjectName(QStringLiteral("cmbFontSize"));
    for (QComboBox *combo : {cmbFont, cmbFontSize}) {
        combo->setEditable(true);
        // Typing in the box changes nothing: only an entry chosen from the list counts,
        // and typed text never becomes an entry.
        combo->setInsertPolicy(QComboBox::NoInsert);
        // The box hands its focus and keys on to its line edit, which may also get them itself.
        combo->installEventFilter(this);
        combo->lineEdit()->installEventFilter(this);
    }
    cmbFont->setGeometry(10, 10, 200, 26);
    cmbFontSize->setGeometry(cmbFont->geometry().right() + 1 + 8, 10, 72, 26);
    connect(cmbFont, &QComboBox::activated, this, &frmItem::cmbFont_Click);
    connect(cmbFontSize, &QComboBox::activated, this, &frmItem::cmbFontSize_Click);

    cmdCopy = new QPushButton(QStringLiteral("Copy"), Frame1);
    cmdCopy->setObjectName(QStringLiteral("cmdCopy"));
    cmdCopy->setGeometry(cmbFontSize->geometry().right() + 1 + 8, 10, 80, 26);
    connect(cmdCopy, &QPushButton::clicked, this, &frmItem::cmdCopy_Click);

    const Output output = addOutput(Frame1, "lstItemWarnings", 72);
    txtOutput = output.text;
    lstItemWarnings = output.warnings;
    return page;
}

void frmItem::Form_Load() {
    frmArmor->hide();
    frmWep->hide();
    frmExtra->hide();

    cmbFont->addItems(
        {QStringLiteral("Arial"), QStringLiteral("Courier"), QStringLiteral("Times New Roman")});
    cmbFont->setCurrentText(QStringLiteral("Arial"));
    cmbFontSize->addItems({QStringLiteral("7"), QStringLiteral("8"), QStringLiteral("9"),
                           QStringLiteral("10"), QStringLiteral("12"), QStringLiteral("14"),
                           QStringLiteral("16"), QStringLiteral("18"), QStringLiteral("20"),
                           QStringLiteral("22")});
    cmbFontSize->setCurrentText(QStringLiteral("10"));
}

void frmItem::switchExclusiveGroup(QCheckBox *own, QGroupBox *ownFrame, QCheckBox *other,
                                   QGroupBox *otherFrame, int firstField, int lastField) {
    if (own->isChecked()) {
        ownFrame->show();
        otherFrame->hide();
        other->setEnabled(false);
        other->setChecked(false);
    } else {
        ownFrame->hide();
        own->setChecked(false);
        other->setChecked(false);
        other->setEnabled(true);
        // A group switched off contributes no lines.
        for (int i = firstField; i <= lastField; ++i)
            txtBasic[i]->clear();
    }
}

void frmItem::chkWep_Click() {
    switchExclusiveGroup(chkWep, frmWep, chkArmor, frmArmor, 19, 21);
}

void frmItem::chkArmor_Click() {
    switchExclusiveGroup(chkArmor, frmArmor, chkWep, frmWep, 22, 22);
}

void frmItem::Check1_Click() {
    // Unlike the other two groups, the extra fields keep their values while hidden.
    frmExtra->setVisible(Check1->isChecked());
}

void frmItem::cmdTrig_Click(int index) {
    if (index < 0 || index >= TriggerCount)
        return;
    insertTrigger(txtAdd, cmdTrig[index]);
}

bool frmItem::eventFilter(QObject *watched, QEvent *event) {
    // On leaving the box or on Enter, a box whose text names an entry selects that entry and
    // reports it as activated. That text was typed (or only shown), not chosen from the list:
    // it must not change the output's font.
    const bool finishes =
        event->type() == QEvent::FocusOut ||
        (event->type() == QEvent::KeyPress && (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Return ||
                                               static_cast<QKeyEvent *>(event)->key() == Qt::Key_Enter));
    if (finishes && (watched == cmbFont || watched == cmbFontSize || watched == cmbFont->lineEdit() ||
                     watched == cmbFontSize->lineEdit())) {
        const QScopedValueRollback guard(m_typedEntry, true);
        watched->event(event);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmItem::cmbFont_Click() {
    if (m_typedEntry)
        return;
    txtOutput->setBoxFont(cmbFont->itemText(cmbFont->currentIndex()), 0);
}

void frmItem::cmbFontSize_Click() {
    if (m_typedEntry)
        return;
    bool ok = false;
    const double size = cmbFontSize->itemText(cmbFontSize->currentIndex()).toDouble(&ok);
    if (ok && size > 0)
        txtOutput->setBoxFont(QString(), size);
}

QStringList frmItem::fieldValues() const {
    QStringList values;
    values.reserve(ItemHandling::FieldCount);
    for (const QLineEdit *box : txtBasic)
        values << box->text();
    return values;
}

void frmItem::SSItem_Click(int index) {
    switch (index) {
    case 0:
        txtBasic[0]->setFocus();
        break;
    case 3:
        txtOutput->setFocus();
        showCompiled();
        break;
    default:
        break;
    }
}

FormValues frmItem::formValues() const {
    FormValues form = ItemHandling::withFields(m_shown, fieldValues());
    form.rest = txtAdd->text();
    return form;
}

DefinitionSection frmItem::compiledSection() const {
    return itemKind().withForm(m_base, m_shown, formValues());
}

void frmItem::showCompiled() {
    // Built afresh each time from the form.
    const DefinitionSection section = compiledSection();
    txtOutput->setText(section.text());
    lstItemWarnings->clear();
    lstItemWarnings->addItems(itemKind().warnings(section));
}

void frmItem::mnuReturn_Click() {
    m_document.returnToMain();
}

void frmItem::closeEvent(QCloseEvent *event) {
    event->setAccepted(m_document.mayDiscard());
}

void frmItem::MnuScriptNew_Click() {
    m_document.startNew();
}

void frmItem::MnuScriptOpen_Click() {
    m_document.open();
}

void frmItem::MnuScriptSave_Click() {
    m_document.save();
}

void frmItem::MnuScriptSaveAs_Click() {
    m_document.saveAs();
}

void frmItem::showNew() {
    m_base = itemKind().fresh();
    m_shown = itemKind().emptyForm();
    fillForm(m_shown);
}

void frmItem::showRead(const ScriptFile &file, qsizetype index) {
    m_base = file.section(index);
    m_shown = itemKind().formValues(m_base);
    fillForm(m_shown);
}

Outcome<qsizetype> frmItem::writeInto(const QString &path,
                                      const std::optional<ScriptFile::Place> &replacing) {
    const DefinitionSection section = compiledSection();
    const Outcome<qsizetype> saved = ScriptFile::save(path, section, replacing);
    if (saved.ok()) {
        m_shown = formValues();
        m_base = section;
    }
    return saved;
}

void frmItem::fillForm(const FormValues &form) {
    const QStringList fields = ItemHandling::fields(form);
    const auto anySet = [&](int first, int last) {
        for (int i = first; i <= last; ++i)
            if (!fields.value(i).isEmpty())
                return true;
        return false;
    };
    // Switching the groups off first empties their fields; then the groups with values are
    // shown. Weapon and armour exclude each other: an armour value beside weapon values stays
    // in its hidden field and is still written.
    chkWep->setChecked(false);
    chkArmor->setChecked(false);
    chkWep->setChecked(anySet(19, 21));
    chkArmor->setChecked(!chkWep->isChecked() && anySet(22, 22));
    Check1->setChecked(anySet(23, 25));
    for (int i = 0; i < ItemHandling::FieldCount; ++i)
        txtBasic[i]->setText(fields.value(i));
    txtAdd->setText(form.rest);
    if (SSItem->currentIndex() == 3)
        showCompiled();
}

void frmItem::cmdCopy_Click() {
    showCompiled();
    m_document.copy(txtOutput->text());
}

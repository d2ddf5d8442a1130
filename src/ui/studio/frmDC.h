#pragma once

#include "core/text/FileError.h"

#include <QMainWindow>
#include <QString>
#include <memory>

class AnalysisTree;
class FindBar;
class MapPane;
class PlayPane;
class QCheckBox;
class QDockWidget;
class QModelIndex;
class QTreeView;
class Navigator;
class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QuestDialogs;
class StudioDocument;
class QUndoCommand;
class QUndoStack;
class UpDown;
class UserPrompts;

// The Dialog Studio window: one page of the project and one of its answers at a time, the
// project-wide prefix and speaker, and the analysis pane with the whole project as a tree.
// The page box and the answer box name what is shown; every routine reads them from there.
// The project, its prefix, speaker, file and history are the document's (StudioDocument): the
// handlers change the document, and the boxes, tree, map and problems list follow its signals.
class frmDC : public QMainWindow {
    Q_OBJECT
public:
    frmDC(QuestDialogs &project, UserPrompts &prompts, Navigator &navigator, QWidget *parent = nullptr);
    ~frmDC() override;

    QuestDialogs &Project;
    StudioDocument *Document;

    // Controls, in the order the window creates them.
    QGroupBox *Frame4;
    QPlainTextEdit *txtSpeech;
    QLabel *Label3;
    QLabel *Label8;
    QWidget *PicAnalysis;
    AnalysisTree *TrvAnalysis;
    QLabel *Label9;
    QLabel *Label10;
    QLabel *Label7;
    QString cdlFile; // the project dialog's last chosen file name
    QGroupBox *Frame3;
    QPushButton *CMDRemovePage;
    QPushButton *CmdAddPage;
    QLineEdit *txtPage;
    UpDown *UPDPage;
    QLabel *Label2;
    QLabel *LblOutOf;
    QGroupBox *Frame2;
    QString cdlFile1; // the export dialog's last chosen file name
    QPushButton *CMDSave;
    QCheckBox *ChkENDDIalog;
    QLineEdit *txtPageID;
    QCheckBox *ChkGoPage;
    QLineEdit *txtSel;
    QPushButton *CmdRemoveSel;
    QPushButton *CmdADDSel;
    UpDown *UPDSelID;
    QLineEdit *txtSelID;
    QLabel *Label5;
    QLabel *Label4;
    QLabel *LBLSelOutof;
    QLabel *lblSel;
    QGroupBox *Frame1;
    QLineEdit *DialogName;
    QLineEdit *txtSpeaker;
    QLabel *Label6;
    QLabel *Label1;

    QMenu *MnuProj;
    QAction *MnuProjNew;
    QAction *HF1;
    QAction *MnuProjOpen;
    QMenu *MnuProjRecent; // the projects opened or saved most recently, the latest first
    QAction *MnuProjSave;
    QAction *MnuProjSaveAs;
    QAction *HF2;
    QAction *MnuProjExport;
    QAction *HF3;
    QAction *MnuProjEnd;
    QMenu *MnuEdit;
    QAction *MnuEditUndo;
    QAction *MnuEditRedo;
    QAction *MnuAnalysis;

    // Docks, navigation and the View menu (frmDCDocks.cpp).
    QDockWidget *dockProblems;
    QTreeView *lstProblems;
    QDockWidget *dockMap;
    MapPane *mapPane = nullptr;
    QDockWidget *dockPlay;
    PlayPane *playPane = nullptr;
    FindBar *findBar;
    QMenu *MnuView;
    QAction *MnuViewProblems;
    QAction *MnuViewMap;
    QAction *MnuViewPlay;
    QAction *MnuEditGoTo;
    QAction *MnuEditFind;
    QAction *MnuEditFindNext;
    QAction *MnuEditFindPrevious;
    // The document's history of changes, to undo and redo. Its clean state is the project as
    // last started, opened or saved.
    QUndoStack *History;

    // Shared routines.
    void ShowPage(qint16 page);
    qint16 CurrentPage() const;
    void StoreSelection();
    void ShowSelection(qint16 index);
    void Addnote(const QString &ParentID, const QString &NoteName, const QString &Key);
    void AddRootNote(const QString &NoteName, const QString &Key);
    // Opens a project file as "Open..." does once a file is chosen: no question, and the same
    // messages when the file is damaged or cannot be read, which leave the project as it was.
    // False when the file was not opened.
    bool OpenProjectFile(const QString &path);
    // Stores the current edits, as leaving the speech box does, then shows page `page` with its
    // answer `answer`. A page that does not exist is ignored.
    void GoToPage(qint16 page, qint16 answer = 0);
    // Before the project would be lost: stores the edits on screen, then asks about unsaved
    // changes when there are any, and saves when asked to. True when the window may go on.
    bool mayDiscardProject();

public slots:
    void Form_Load();
    void Form_Resize();
    void PicAnalysis_Resize();
    void CMDSave_Click();
    void MnuAnalysis_Click();
    void CmdAddPage_Click();
    void CMDRemovePage_Click();
    void CmdADDSel_Click();
    void CmdRemoveSel_Click();
    void UPDPage_Change();
    void UPDSelID_Change();
    void DialogName_Change();
    void txtSpeaker_Change();
    void txtSpeech_Change();
    void txtPageID_Change();
    void txtSpeech_KeyDown(int key);
    void txtSel_KeyDown(int key);
    void txtPageID_KeyDown(int key);
    void txtSpeech_LostFocus();
    void txtPageID_LostFocus();
    void MnuProjNew_Click();
    void MnuProjOpen_Click();
    void MnuProjSave_Click();
    void MnuProjSaveAs_Click();
    void MnuProjExport_Click();
    void MnuProjEnd_Click();
    void MnuProjRecent_Click(const QString &path);
    void TrvAnalysis_DblClick(const QModelIndex &node);
    void lstProblems_DblClick(const QModelIndex &row);
    void mapView_Click(qint16 page);
    void mapView_Drop(qint16 page, qint16 answer, qint16 target);
    void mapView_DropOnSpace(qint16 page, qint16 answer);
    void MnuEditGoTo_Click();
    void MnuEditFind_Click();
    void MnuEditFindNext_Click();
    void MnuEditFindPrevious_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void createControls();
    void createMenu();
    void connectHandlers();
    void placeControls();
    void placeStretching(int clientWidth, int clientHeight);
    QSize clientTwips() const;
    // Apply, then the rebuild once more: what Enter and leaving a box do.
    void applyAndRebuild();
    // Assigns a box from code. Its change handler runs even when the text stays the same, and
    // then the caret and selection stay where they were.
    void assign(QLineEdit *box, const QString &text);
    void assign(QPlainTextEdit *box, const QString &text);
    void reportFileError(const QString &verb, FileError error);
    void fillRecentMenu();
    // Notes a project file just opened or saved among the recent ones.
    void rememberProject(const QString &path);
    void createDocks();
    void createNavigation();
    // Brings the problems list and the map up to the project after a rebuild; the problems list
    // alone, which also follows the prefix and the speaker.
    void refreshDocks();
    void refreshProblems();
    // The Play dock, which draws the prefix and speaker too.
    void refreshPlay();
    void findFrom(bool forward);
    void saveDockState() const;

    // Makes a change through the document's history, so that it can be undone. The handler
    // shows its outcome itself; an undo or redo shows it through showChange.
    void record(QUndoCommand *command);
    // Following the document: a change to its pages, an undone or redone change to show, a new
    // project, its names and its file.
    void followProject();
    void showChange(qint16 page, qint16 answer);
    void showProject();
    void showPrefix(const QString &prefix);
    void showSpeaker(const QString &speaker);
    void updateTitle();
    // The page and answer shown are the tree's current row.
    void showPlaceInTree();
    // Saves to the document's file, or to one asked for when it has none or `askName` is set.
    bool saveProject(bool askName);

    UserPrompts &m_prompts;
    Navigator &m_navigator;
    bool m_resizing = false;
    qint16 m_findPage = -1; // where the last search found its text
    qint16 m_findAnswer = -1;
    bool m_leaving = false; // closing after the question has been answered
};

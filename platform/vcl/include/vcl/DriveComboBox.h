#pragma once
// A combo box of the drives (win32/Drives.h maps drive letters to folders).
//
// The list is built by BuildList when the control is first placed in a
// parent and whenever it is made anew; each item's text starts with its
// drive letter. Choosing an item makes its drive the current one and, with a
// directory list attached (DirList), that list's drive. The items are owner
// drawn: csOwnerDrawFixed at ItemHeight, or csOwnerDrawVariable with
// MeasureItem's heights; the closed box shows the chosen item drawn by
// DrawItem with odComboBoxEdit.

#include <memory>

#include "vcl/ComboBox.h"
#include "vcl/ControlCanvas.h"
#include "vcl/OwnerDraw.h"

class QObject;
class TOwnerDrawDelegate;

class TDirectoryListBox;

class TDriveComboBox : public TComboBox {
public:
    explicit TDriveComboBox(TComponent* AOwner);
    ~TDriveComboBox() override;

    // The current drive, 'A'..'Z'; at first the drive of the working folder.
    char Drive() const { return FDrive; }
    // Makes the letter's drive the current one and chooses its item (upper
    // or lower case); the attached list changes first, and an exception of
    // its leaves the drive as it was.
    void SetDrive(char Value);

    TDirectoryListBox* DirList() const { return FDirList; }
    void SetDirList(TDirectoryListBox* Value);

    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int Value);
    TControlCanvas* Canvas() const { return FCanvas.get(); }

    void SetParent(TWinControl* AParent) override;

    // The height of an item as the list lays it out.
    int ItemLayoutHeight(int Index);

protected:
    // Fills the items: "c:" for each drive.
    virtual void BuildList();
    virtual void DrawItem(int Index, TRect Rect, TOwnerDrawState State);
    virtual void MeasureItem(int Index, int& Height);
    // The chosen item's drive becomes the current one.
    void Click() override;
    // Builds the list again and measures the items anew.
    void RecreateWnd();

private:
    friend class TDirectoryListBox;
    class TFacePainter;
    void PaintItem(QPainter& Painter, int Index, const TRect& Rect, TOwnerDrawState State);
    void ChooseDriveItem();

    char FDrive = 'C';
    TDirectoryListBox* FDirList = nullptr;
    int FItemHeight = 16;
    bool FBuilt = false;
    std::unique_ptr<TControlCanvas> FCanvas;
    TOwnerDrawDelegate* FDelegate = nullptr;   // owned by the widget
    QObject* FFacePainter = nullptr;           // owned by the widget
};

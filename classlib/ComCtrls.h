// Common controls: tab controls, page controls with their tab sheets, progress bars, and (from
// ListView.h) list views.
//
// The tabs of a tab control are 8-bit strings with objects (a page control's sheets); every
// change reaches the window as TCM_INSERTITEMA followed by TCM_SETITEMA (text and the object as
// parameter), or TCM_SETITEMA alone for a new text, so that another layer can rewrite the text.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "classlib/Classes.h"
#include "classlib/Controls.h"
#include "classlib/ImgList.h"
#include "classlib/ListView.h"
#include "classlib/WinApi.h"

#include <commctrl.h>

class TCustomTabControl;

enum TTabStyle { tsTabs, tsButtons, tsFlatButtons };
using TTabChangingEvent = TEvent<void(TObject*, bool&)>;

class TTabStrings : public TStrings {
  KX_CLASS(TTabStrings, TStrings)
 public:
  explicit TTabStrings(TCustomTabControl* control) : FControl(control) {}
  std::string Get(int index) const override;
  int GetCount() const override { return static_cast<int>(FTabs.size()); }
  TObject* GetObject(int index) const override;
  void Put(int index, const std::string& text) override;
  void PutObject(int index, TObject* object) override;
  void Insert(int index, const std::string& text) override { InsertObject(index, text, nullptr); }
  void InsertObject(int index, const std::string& text, TObject* object) override;
  void Delete(int index) override;
  void Clear() override;

 private:
  friend class TCustomTabControl;
  void CheckIndex(int index) const;
  // Sends the tab's text and object with TCM_SETITEMA.
  void SetWindowTab(int index) const;
  TCustomTabControl* FControl;
  std::vector<std::pair<std::string, TObject*>> FTabs;
};

class TCustomTabControl : public TWinControl {
  KX_COMPONENT(TCustomTabControl, TWinControl)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TCustomTabControl(TComponent* owner);
  ~TCustomTabControl() override;

  TStrings* GetTabs() const { return FTabs.get(); }
  void SetTabs(TStrings* value) { FTabs->Assign(value); }
  // The selected tab (-1: none).  Setting it from code selects the tab only: no OnChange.
  int GetTabIndex();
  void SetTabIndex(int value);
  TTabStyle GetStyle() const { return FStyle; }
  void SetStyle(TTabStyle value);
  bool GetMultiLine() const { return FMultiLine; }
  void SetMultiLine(bool value);
  // The area inside the tabs and frame, in client coordinates.
  RECT GetDisplayRect();

  virtual bool CanShowTab(int index);
  virtual bool CanChange();

  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  // Left and Up choose the tab before, Right and Down the tab after, as a click on it would.
  void KeyDown(WORD& key, TShiftState shift) override;

  TNotifyEvent OnChange;
  TTabChangingEvent OnChanging;

 protected:
  friend class TTabStrings;
  // The change notification: the user chose another tab.
  virtual void Change();
  void AdjustClientRect(RECT& rect) override;
  void Dispatch(TMessage& message) override;
  virtual void CNNotify(TMessage& message);
  void InsertWindowTab(int index);

  std::unique_ptr<TTabStrings> FTabs;
  int FTabIndex = -1;
  TTabStyle FStyle = tsTabs;
  bool FMultiLine = false;
};

KX_NAMED_COMPONENT(TTabControl, TCustomTabControl);

// The library's own 8-bit controls of these names. Windows name the wide controls that a layer
// above the library declares under the same names in the global namespace.
namespace ComCtrls {
class TPageControl;

// A page of a page control: a window of the library's own class that fills the page
// control's display area while it is the active page.
class TTabSheet : public TWinControl {
  KX_COMPONENT(TTabSheet, TWinControl)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TTabSheet(TComponent* owner);

  TPageControl* GetPageControl() const { return FPageControl; }
  void SetPageControl(TPageControl* value);
  // The sheet's place among the tabs shown (-1 while its tab is hidden or it has no page control).
  int GetTabIndex() const;
  // The sheet's place among all sheets of its page control.
  int GetPageIndex() const;
  void SetPageIndex(int value);
  bool GetTabVisible() const { return FTabVisible; }
  void SetTabVisible(bool value);
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int value) { FImageIndex = value; }

  void SetParent(TWinControl* parent) override;
  void BeforeDestruction() override;

 protected:
  void CMTextChanged(TMessage& message) override;

 private:
  TPageControl* FPageControl = nullptr;
  bool FTabVisible = true;
  int FImageIndex = -1;
};

class TPageControl : public TCustomTabControl {
  KX_COMPONENT(TPageControl, TCustomTabControl)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TPageControl(TComponent* owner);

  int GetPageCount() const { return static_cast<int>(FPages.size()); }
  TTabSheet* GetPage(int index) const;
  // Setting the active page from code shows it and selects its tab; OnChange does not fire.
  TTabSheet* GetActivePage() const { return FActivePage; }
  void SetActivePage(TTabSheet* page);
  int GetActivePageIndex() const;
  void SetActivePageIndex(int value);
  // The sheet after (or before) `current` in page order, wrapping; only sheets with a tab
  // shown when `checkTabVisible`.  nullptr when there is none.
  TTabSheet* FindNextPage(TTabSheet* current, bool goForward, bool checkTabVisible);
  // Moves to the next (previous) page like the user would: CanChange asks, OnChange fires.
  void SelectNextPage(bool goForward, bool checkTabVisible = true);
  // After a form description is read: the first sheet is active when none was named.
  void Loaded() override;

 protected:
  friend class TTabSheet;
  void Change() override;
  void CMDialogChar(TMessage& message) override;
  // Ctrl+Tab and Ctrl+Shift+Tab turn to the next and previous page while the focus is inside,
  // in the innermost page control that holds it.
  void CMDialogKey(TMessage& message) override;
  // Whether the character of a CM_DIALOGCHAR is the accelerator of the sheet's caption.
  virtual bool IsSheetAccel(TTabSheet* page, TMessage& dialogChar);
  // Docking: a docked control gets a sheet of its own (a form's caption becomes the tab's
  // text, and follows its changes up to the first line break).
  void CMDockClient(TMessage& message) override;
  void CMDockNotification(TMessage& message) override;
  void DoAddDockClient(TControl* client, const RECT& rect) override;
  // The sheet a docking client gets, owned by the page control, not yet on it.
  virtual TTabSheet* NewDockSheet(TControl* client);
  void InsertPage(TTabSheet* page);
  void RemovePage(TTabSheet* page);
  void MovePage(TTabSheet* page, int index);
  // The tab list follows the sheets: one tab per sheet whose tab is visible, in page order.
  void UpdateTabs();
  void UpdateTab(TTabSheet* page);
  void ChangeActivePage(TTabSheet* page);
  // Every sheet fills the display area, shown or not.
  void AlignControlsIn(RECT& rect) override;

  std::vector<TTabSheet*> FPages;
  TTabSheet* FActivePage = nullptr;
  TTabSheet* FNewDockSheet = nullptr;  // the sheet made for a client while it docks
};
}  // namespace ComCtrls

// ---------------------------------------------------------------------------------------------
enum TProgressBarOrientation { pbHorizontal, pbVertical };

// The library's own 8-bit progress bar (see above).
namespace ComCtrls {
class TProgressBar : public TWinControl {
  KX_COMPONENT(TProgressBar, TWinControl)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TProgressBar(TComponent* owner);

  int GetMin() const { return FMin; }
  void SetMin(int value);
  int GetMax() const { return FMax; }
  void SetMax(int value);
  // Always within Min..Max.
  int GetPosition();
  void SetPosition(int value);
  int GetStep() const { return FStep; }
  void SetStep(int value);
  bool GetSmooth() const { return FSmooth; }
  void SetSmooth(bool value);
  TProgressBarOrientation GetOrientation() const { return FOrientation; }
  void SetOrientation(TProgressBarOrientation value);
  // Position plus Step, starting again at Min once past Max.
  void StepIt();
  // Position plus `delta`, held within Min..Max.
  void StepBy(int delta);

  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;

 private:
  void SendRange();
  int FMin = 0;
  int FMax = 100;
  int FPosition = 0;
  int FStep = 10;
  bool FSmooth = false;
  TProgressBarOrientation FOrientation = pbHorizontal;
};
}  // namespace ComCtrls

// Registers the tab and page controls, tab sheets and progress bars for form descriptions.
void RegisterCommonControls();

// Records the common-control messages a control's window procedure sees, with the parts of
// their records that the tests check (the records themselves live only while sent).
#pragma once

#include <string>
#include <vector>

#include "classlib/ComCtrls.h"

namespace wintest {

struct SentMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  int SubItem = 0;            // LVM_SETITEMTEXTA
  bool CallbackText = false;  // LVM_SETITEMTEXTA: the text is LPSTR_TEXTCALLBACK
  UINT Mask = 0;              // LVM_SETCOLUMNA, LVM_INSERTCOLUMNA, TCM_*ITEMA
  std::string Text;           // the record's text when its mask carries one
  LPARAM Param = 0;           // TCM_*ITEMA: the tab's parameter; LVM_SORTITEMS: the routine;
                              // WM_NOTIFY: the notification code
};

class ProtocolRecorder : public TObject {
 public:
  explicit ProtocolRecorder(TControl* control)
      : m_control(control), m_previous(control->GetWindowProc()) {
    control->SetWindowProc(TWndMethod(this, &ProtocolRecorder::Hook));
  }
  ~ProtocolRecorder() override { m_control->SetWindowProc(m_previous); }

  void Hook(TMessage& message) {
    SentMessage sent;
    sent.Msg = message.Msg;
    sent.WParam = message.WParam;
    switch (message.Msg) {
      case LVM_SETITEMTEXTA: {
        const auto* item = reinterpret_cast<const LVITEMA*>(message.LParam);
        sent.SubItem = item->iSubItem;
        sent.CallbackText = item->pszText == LPSTR_TEXTCALLBACKA;
        break;
      }
      case LVM_SETCOLUMNA: case LVM_INSERTCOLUMNA: {
        const auto* column = reinterpret_cast<const LVCOLUMNA*>(message.LParam);
        sent.Mask = column->mask;
        if ((column->mask & LVCF_TEXT) && column->pszText) sent.Text = column->pszText;
        break;
      }
      case TCM_SETITEMA: case TCM_INSERTITEMA: {
        const auto* tab = reinterpret_cast<const TCITEMA*>(message.LParam);
        sent.Mask = tab->mask;
        if ((tab->mask & TCIF_TEXT) && tab->pszText) sent.Text = tab->pszText;
        sent.Param = tab->lParam;
        break;
      }
      case LVM_SORTITEMS: sent.Param = message.LParam; break;
      case WM_NOTIFY: sent.Param = static_cast<int>(reinterpret_cast<const NMHDR*>(message.LParam)->code); break;
      default: break;
    }
    if (IsProtocolMessage(message.Msg)) m_sent.push_back(sent);
    m_previous(message);
  }

  std::vector<SentMessage> Of(UINT msg) const {
    std::vector<SentMessage> found;
    for (const SentMessage& sent : m_sent)
      if (sent.Msg == msg) found.push_back(sent);
    return found;
  }
  const std::vector<SentMessage>& All() const { return m_sent; }
  void Clear() { m_sent.clear(); }

 private:
  static bool IsProtocolMessage(UINT msg) {
    return msg == WM_NOTIFY || (msg >= LVM_FIRST && msg < LVM_FIRST + 0x100) || (msg >= TCM_FIRST && msg < TCM_FIRST + 0x100) ||
           (msg >= WM_USER && msg < WM_USER + 0x20);
  }
  TControl* m_control;
  TWndMethod m_previous;
  std::vector<SentMessage> m_sent;
};

}  // namespace wintest

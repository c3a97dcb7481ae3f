#include "forms/u_runstatus.h"

#include "ucode/UCodeSystem.h"

void TRunStatus::Show(const std::string& text, const std::wstring& detail, int position, bool often) {
  if (position >= 0) m_position = position;
  const DWORD now = GetTickCount();
  if (often && now - m_lastDrawn < kDrawInterval) return;
  m_lastDrawn = now;
  m_label->SetCaption(detail.empty() ? text : text + WideStringToStringEx(detail, 0));
  if (m_position >= 0) m_bar->SetPosition(m_position);
  m_label->Repaint();
  m_bar->Update();
}

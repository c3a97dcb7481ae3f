#include "WindowsTestSupport.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace wintest {

namespace {

// ---- a small PNG writer (stored deflate blocks), enough for a screenshot -------------------
uint32_t Crc(const std::string& bytes) {
  uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char b : bytes) {
    crc ^= b;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return crc ^ 0xFFFFFFFFu;
}

void PutBig(std::string& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

void Chunk(std::string& png, const char* type, const std::string& data) {
  PutBig(png, static_cast<uint32_t>(data.size()));
  std::string typed = std::string(type, 4) + data;
  png += typed;
  PutBig(png, Crc(typed));
}

}  // namespace

std::string EncodePng(int width, int height, const std::vector<uint8_t>& rgb) {
  std::string raw;
  for (int y = 0; y < height; ++y) {
    raw += '\0';
    raw.append(reinterpret_cast<const char*>(&rgb[static_cast<size_t>(y) * width * 3]),
               static_cast<size_t>(width) * 3);
  }
  std::string z = "\x78\x01";
  uint32_t a = 1, b = 0;
  for (unsigned char c : raw) {
    a = (a + c) % 65521;
    b = (b + a) % 65521;
  }
  for (size_t pos = 0; pos < raw.size() || pos == 0; pos += 65535) {
    size_t n = std::min<size_t>(65535, raw.size() - pos);
    z += static_cast<char>(pos + n >= raw.size() ? 1 : 0);
    z += static_cast<char>(n & 0xFF);
    z += static_cast<char>(n >> 8);
    z += static_cast<char>(~n & 0xFF);
    z += static_cast<char>((~n >> 8) & 0xFF);
    z.append(raw, pos, n);
    if (raw.empty()) break;
  }
  PutBig(z, (b << 16) | a);
  std::string header;
  PutBig(header, static_cast<uint32_t>(width));
  PutBig(header, static_cast<uint32_t>(height));
  header += std::string("\x08\x02\x00\x00\x00", 5);
  std::string png = "\x89PNG\r\n\x1a\n";
  Chunk(png, "IHDR", header);
  Chunk(png, "IDAT", z);
  Chunk(png, "IEND", "");
  return png;
}

// The window's pixels as it shows on the screen, top row first, RGB.
std::wstring WideWindowText(HWND wnd) {
  int length = GetWindowTextLengthW(wnd);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(std::max(0, GetWindowTextW(wnd, text.data(), length + 1))));
  return text;
}

std::wstring WideTabText(HWND tabs, int index) {
  wchar_t buffer[256] = {};
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = buffer;
  item.cchTextMax = 256;
  SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  return buffer;
}

namespace {

// A top-down 32-bit picture, selected into a memory device context for drawing or copying into.
class MemoryPicture {
 public:
  MemoryPicture(int width, int height) : m_width(width), m_height(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    HDC screen = GetDC(nullptr);
    m_dc = CreateCompatibleDC(screen);
    m_bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &m_bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    m_old = SelectObject(m_dc, m_bitmap);
  }
  ~MemoryPicture() {
    SelectObject(m_dc, m_old);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
  }
  MemoryPicture(const MemoryPicture&) = delete;
  MemoryPicture& operator=(const MemoryPicture&) = delete;
  HDC Dc() const { return m_dc; }
  // Top row first, RGB.
  std::vector<uint8_t> Rgb() const {
    GdiFlush();
    std::vector<uint8_t> rgb(static_cast<size_t>(m_width) * m_height * 3);
    const auto* pixels = static_cast<const uint8_t*>(m_bits);
    for (size_t i = 0; i < static_cast<size_t>(m_width) * m_height; ++i) {
      rgb[i * 3] = pixels[i * 4 + 2];
      rgb[i * 3 + 1] = pixels[i * 4 + 1];
      rgb[i * 3 + 2] = pixels[i * 4];
    }
    return rgb;
  }

 private:
  int m_width, m_height;
  HDC m_dc;
  HBITMAP m_bitmap;
  void* m_bits = nullptr;
  HGDIOBJ m_old;
};

}  // namespace

std::vector<uint8_t> DrawnText(HFONT font, const std::wstring& text, int width, int height) {
  MemoryPicture picture(width, height);
  HGDIOBJ oldFont = SelectObject(picture.Dc(), font);
  RECT all{0, 0, width, height};
  FillRect(picture.Dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SetTextColor(picture.Dc(), RGB(0, 0, 0));
  SetBkMode(picture.Dc(), TRANSPARENT);
  TextOutW(picture.Dc(), 4, 4, text.c_str(), static_cast<int>(text.size()));
  SelectObject(picture.Dc(), oldFont);
  return picture.Rgb();
}

std::vector<uint8_t> CaptureWindow(HWND wnd, int& width, int& height) {
  RECT rect;
  GetWindowRect(wnd, &rect);
  width = rect.right - rect.left;
  height = rect.bottom - rect.top;
  MemoryPicture picture(width, height);
  HDC screen = GetDC(nullptr);
  BitBlt(picture.Dc(), 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  ReleaseDC(nullptr, screen);
  return picture.Rgb();
}

// The themed frame of a page control is a stretched picture whose shading may step a pixel apart
// between a repaint of a part and one of the whole: a colour a few levels off is the same.
int PixelsARepaintChanges(TWinControl* window) {
  Pump();
  int width = 0, height = 0;
  const std::vector<uint8_t> shown = CaptureWindow(window->GetHandle(), width, height);
  RedrawWindow(window->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  Pump();
  const std::vector<uint8_t> repainted = CaptureWindow(window->GetHandle(), width, height);
  if (shown.size() != repainted.size()) return -1;
  constexpr int kLevels = 8;
  int changed = 0;
  for (size_t i = 0; i + 2 < shown.size(); i += 3) {
    bool same = true;
    for (size_t c = i; c < i + 3; ++c) same = same && std::abs(shown[c] - repainted[c]) <= kLevels;
    changed += same ? 0 : 1;
  }
  return changed;
}

HWND LabelEditor(TWinControl* listView) {
  return reinterpret_cast<HWND>(SendMessageW(listView->GetHandle(), LVM_GETEDITCONTROL, 0, 0));
}

bool ControlShowsOnly(TControl* control, COLORREF colour) {
  TWinControl* form = control->GetParent();
  RedrawWindow(form->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Pump();
  HDC dc = GetDC(form->GetHandle());
  bool only = true;
  for (int y = control->GetTop(); only && y < control->GetTop() + control->GetHeight(); ++y)
    for (int x = control->GetLeft(); only && x < control->GetLeft() + control->GetWidth(); ++x)
      only = GetPixel(dc, x, y) == colour;
  ReleaseDC(form->GetHandle(), dc);
  return only;
}

ErrorCatcher::ErrorCatcher() { Application->OnException = TExceptionEvent(this, &ErrorCatcher::Caught); }

ErrorCatcher::~ErrorCatcher() { Application->OnException = TExceptionEvent(); }

void ErrorCatcher::Caught(TObject*, const std::exception& error) { errors.push_back(error.what()); }

void Pump() {
  for (int round = 0; round < 3; ++round) Application->ProcessMessages();
}

void Wheel(TWinControl* control, int delta) {
  SendMessageA(control->GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), 0);
}

MessageBoxCatcher::MessageBoxCatcher(int answer) {
  m_previous = SetMessageBoxAnswerer([this, answer](const TMessageBoxRequest& request) {
    m_requests.push_back(request);
    return answer;
  });
}

MessageBoxCatcher::~MessageBoxCatcher() { SetMessageBoxAnswerer(m_previous); }

namespace {

INPUT KeyPacket(WORD key, wchar_t ch, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = ch;
  input.ki.dwFlags = (ch ? KEYEVENTF_UNICODE : 0) | (up ? KEYEVENTF_KEYUP : 0);
  return input;
}

void SendPackets(std::vector<INPUT> packets) {
  SendInput(static_cast<UINT>(packets.size()), packets.data(), sizeof(INPUT));
  Pump();
}

}  // namespace

void PressKeys(std::initializer_list<WORD> keys) {
  std::vector<INPUT> packets;
  for (WORD key : keys) {
    packets.push_back(KeyPacket(key, 0, false));
    packets.push_back(KeyPacket(key, 0, true));
  }
  SendPackets(packets);
}

void TypeChars(const std::wstring& text) {
  std::vector<INPUT> packets;
  for (wchar_t ch : text) {
    packets.push_back(KeyPacket(0, ch, false));
    packets.push_back(KeyPacket(0, ch, true));
  }
  SendPackets(packets);
}

MessageRecorder::MessageRecorder(TControl* control)
    : m_control(control), m_previous(control->GetWindowProc()) {
  control->SetWindowProc(TWndMethod(this, &MessageRecorder::Hook));
}

MessageRecorder::~MessageRecorder() { m_control->SetWindowProc(m_previous); }

void MessageRecorder::Hook(TMessage& message) {
  messages.push_back(message);
  m_previous(message);
}

int MessageRecorder::Count(UINT msg) const {
  int count = 0;
  for (const TMessage& message : messages) count += message.Msg == msg;
  return count;
}

ShownForm::ShownForm(int width, int height) {
  static TForm* shared = nullptr;
  if (!shared) {
    shared = new TForm(Application);
    shared->SetLeft(20);
    shared->SetTop(20);
  }
  m_form = shared;
  m_form->SetClientWidth(width);
  m_form->SetClientHeight(height);
  m_form->Show();
  Pump();
}

ShownForm::~ShownForm() {
  m_form->DestroyComponents();
  Pump();
}

}  // namespace wintest

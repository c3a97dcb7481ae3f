#include "WindowsTestSupport.h"

namespace wintest {

void Pump() {
  for (int round = 0; round < 3; ++round) Application->ProcessMessages();
}

MessageBoxCatcher::MessageBoxCatcher(int answer) {
  m_previous = SetMessageBoxAnswerer([this, answer](const TMessageBoxRequest& request) {
    m_requests.push_back(request);
    return answer;
  });
}

MessageBoxCatcher::~MessageBoxCatcher() { SetMessageBoxAnswerer(m_previous); }

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

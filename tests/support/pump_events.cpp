#include "pump_events.h"

#include <wx/app.h>
#include <wx/utils.h>

void pump() {
  wxTheApp->ProcessPendingEvents();
  while (wxTheApp->Pending()) wxTheApp->Dispatch();
  wxTheApp->ProcessIdle();
}

void settle(int rounds) {
  for (int i = 0; i < rounds; ++i) {
    pump();
    wxMilliSleep(10);
  }
}

bool eventually(const std::function<bool()>& done) {
  for (int i = 0; i < 500 && !done(); ++i) settle(1);
  return done();
}

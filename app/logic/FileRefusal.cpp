#include "app/logic/FileRefusal.h"

#include "app/logic/Desktop.h"
#include "core/text/Teksten.h"

std::string TFileRefusal::Text() const {
  return DisplayPath(Path) + DisplayText("\r" + (Step == TStep::Open ? NietGeopendText(Error)
                                                                     : NietGemaaktText(Error)));
}

bool ShowRefusal(TDesktop& desktop, const TFileOutcome& outcome) {
  if (outcome) desktop.ShowMessage(outcome->Text());
  return outcome.has_value();
}

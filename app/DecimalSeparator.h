#pragma once

// The decimal separator of the user's locale, or '.' when none is set. The numeric locale of
// the process is "C" again afterwards, so that no other code formats numbers by it.
char UserDecimalSeparator();

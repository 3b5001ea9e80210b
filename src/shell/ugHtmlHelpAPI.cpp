#include "ugHtmlHelpAPI.h"

#include "platform/help/HelpService.h"

void ShowHelpContents() { help::OpenContents(); }

void ShowHelpContext(int context) { help::OpenContext(context); }

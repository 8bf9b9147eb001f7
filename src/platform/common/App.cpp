// The application object's settings, from the program's version data.
#include "platform/Runtime.h"

#include "resources/Version.h"

namespace App {

std::u16string Title() { return u"" KIMORO_TITLE; }
std::int16_t Major() { return KIMORO_VERSION_MAJOR; }
std::int16_t Minor() { return KIMORO_VERSION_MINOR; }
std::int16_t Revision() { return KIMORO_VERSION_REVISION; }
std::u16string LegalCopyright() { return u"" KIMORO_LEGAL_COPYRIGHT; }

}  // namespace App

// Icon 128, the program's icon: 16-colour images of 32x32 and 16x16.
#ifndef ORVELIN_PROGRAM_ICON_H
#define ORVELIN_PROGRAM_ICON_H

#include <QIcon>

namespace orvelin {

QIcon ProgramIcon();

} // namespace orvelin

#endif

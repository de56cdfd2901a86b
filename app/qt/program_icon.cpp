#include "program_icon.h"

namespace orvelin {

QIcon ProgramIcon() {
    return QIcon(QStringLiteral(":/icons/orvelin.ico"));
}

} // namespace orvelin

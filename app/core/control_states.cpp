#include "control_states.h"

#include "resource.h"

#include <array>

namespace orvelin {
namespace {

using enum ControlAction;
using namespace res;

constexpr std::array kStartUp = {
    ControlStep{IDC_DES_ENABLE, check},
    ControlStep{IDC_CBC, check},
    ControlStep{IDC_DES, check},
    ControlStep{IDC_IV, show_zero_bytes},
    ControlStep{IDC_DATA_IN, show_zero_bytes},
    ControlStep{IDC_SESSION_KEY, show_zero_bytes},
    ControlStep{IDC_AES_CMAC, disable},
    ControlStep{IDC_CRC32, check},
    ControlStep{IDC_DECRYPT, focus},
};

// The controls that belong to the DES family alone, and to AES alone.
constexpr std::array kDesControls = {IDC_DES, IDC_2TDES, IDC_3TDES, IDC_TDES_CMAC, IDC_3KTDES_CMAC};
constexpr std::array kAesControls = {IDC_AES_CMAC};

void Append(std::vector<ControlStep>& steps, std::span<const int> controls, ControlAction action) {
    for (const int control : controls) {
        steps.push_back({control, action});
    }
}

// Whatever state the clicked box ends in, its family comes forward and the
// other goes back.
std::vector<ControlStep> SelectFamily(int other_box, std::span<const int> enabled,
                                      std::span<const int> disabled) {
    std::vector<ControlStep> steps{{other_box, uncheck}};
    Append(steps, enabled, enable);
    Append(steps, disabled, disable);
    return steps;
}

} // namespace

std::span<const ControlStep> StartUpSteps() {
    return kStartUp;
}

std::vector<ControlStep> StepsAfterClick(int clicked, bool now_checked) {
    switch (clicked) {
    case IDC_AES_ENABLE:
        return SelectFamily(IDC_DES_ENABLE, kAesControls, kDesControls);
    case IDC_DES_ENABLE:
        return SelectFamily(IDC_AES_ENABLE, kDesControls, kAesControls);
    case IDC_CBC:
        return {{IDC_IV, now_checked ? enable : disable}};
    case IDC_CRC16:
        return {{IDC_CRC32, uncheck}};
    case IDC_CRC32:
        return {{IDC_CRC16, uncheck}};
    default:
        return {};
    }
}

} // namespace orvelin

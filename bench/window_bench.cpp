// Each button of the main window pressed with 256 bytes of data, on the
// offscreen platform: from the click to DataOut showing the result.
#include "orvelin_dlg.h"
#include "resource.h"
#include "start_up.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

namespace res = orvelin::res;

struct Press {
    std::vector<int> choices; // boxes and radio buttons clicked before timing
    const char* key;
    const char* iv;
    int button;
};

void BM_Button(benchmark::State& state, const Press& press) {
    static const orvelin::TavikAlgBinding library = orvelin::BindAtStartUp(
        orvelin::kTavikAlgFileName, [](const std::string& m) { std::fputs(m.c_str(), stderr); });
    COrvelinDlg dialog(library);
    const auto control = [&dialog](int id) {
        return dialog.findChild<QWidget*>(QString::number(id));
    };
    for (const int id : press.choices) {
        static_cast<QAbstractButton*>(control(id))->click();
    }
    static_cast<QLineEdit*>(control(res::IDC_SESSION_KEY))->setText(press.key);
    static_cast<QLineEdit*>(control(res::IDC_IV))->setText(press.iv);
    static_cast<QLineEdit*>(control(res::IDC_DATA_IN))->setText(QString(512, 'A'));
    auto* const button = static_cast<QAbstractButton*>(control(press.button));
    for (auto _ : state) {
        button->click();
    }
    if (static_cast<QLineEdit*>(control(res::IDC_DATA_OUT))->text().isEmpty()) {
        state.SkipWithError("the press showed nothing");
    }
}

const char* const kKey16 = "00112233445566778899AABBCCDDEEFF";
const char* const kKey24 = "00112233445566778899AABBCCDDEEFF0011223344556677";
const char* const kIv8 = "0011223344556677";
const char* const kIv16 = "00112233445566778899AABBCCDDEEFF";

BENCHMARK_CAPTURE(BM_Button, Encrypt_DES_CBC, Press{{}, kIv8, kIv8, res::IDC_ENCRYPT});
BENCHMARK_CAPTURE(BM_Button, Decrypt_3TDES_CBC,
                  Press{{res::IDC_3TDES}, kKey24, kIv8, res::IDC_DECRYPT});
BENCHMARK_CAPTURE(BM_Button, Encrypt_AES_CBC,
                  Press{{res::IDC_AES_ENABLE}, kKey16, kIv16, res::IDC_ENCRYPT});
BENCHMARK_CAPTURE(BM_Button, CalcCRC, Press{{}, "", "", res::IDC_CALC_CRC});
BENCHMARK_CAPTURE(BM_Button, AES_CMAC,
                  Press{{res::IDC_AES_ENABLE}, kKey16, kIv16, res::IDC_AES_CMAC});
BENCHMARK_CAPTURE(BM_Button, TDES_CMAC, Press{{}, kKey16, kIv8, res::IDC_TDES_CMAC});
BENCHMARK_CAPTURE(BM_Button, 3KTDES_CMAC, Press{{}, kKey24, kIv8, res::IDC_3KTDES_CMAC});
BENCHMARK_CAPTURE(BM_Button, KeyXorIn, Press{{}, kKey24, "", res::IDC_KEY_XOR_IN});

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

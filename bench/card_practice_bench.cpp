// The card-practice dialog on the offscreen platform: opening it from the
// main window's menu command (built, initialised and shown), and Calculate
// on each operation's first published example, from the click to Result.
#include "card_operations.h"
#include "orvelin_dlg.h"
#include "resource.h"
#include "start_up.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QPlainTextEdit>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

namespace res = orvelin::res;

const orvelin::TavikAlgBinding& Library() {
    static const orvelin::TavikAlgBinding library = orvelin::BindAtStartUp(
        orvelin::kTavikAlgFileName, [](const std::string& m) { std::fputs(m.c_str(), stderr); });
    return library;
}

QDialog* CardDialog(const COrvelinDlg& main) {
    return main.findChild<QDialog*>(QString(), Qt::FindDirectChildrenOnly);
}

template <typename Widget>
Widget* Control(QDialog& dialog, int id) {
    return dialog.findChild<Widget*>(QString::number(id));
}

void BM_Open(benchmark::State& state) {
    COrvelinDlg main(Library());
    for (auto _ : state) {
        main.OnSysCommand(res::IDM_CARD_PRACTICE, 0);
        state.PauseTiming();
        delete CardDialog(main); // so that the next command makes it anew
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Open)->Unit(benchmark::kMillisecond);

void BM_Calculate(benchmark::State& state, int operation) {
    COrvelinDlg main(Library());
    main.OnSysCommand(res::IDM_CARD_PRACTICE, 0);
    QDialog& card = *CardDialog(main);
    Control<QComboBox>(card, res::IDC_CARD_OPERATION)->setCurrentIndex(operation);
    Control<QAbstractButton>(card, res::IDC_CARD_EXAMPLE)->click();
    auto* const calculate = Control<QAbstractButton>(card, res::IDC_CARD_CALCULATE);
    for (auto _ : state) {
        calculate->click();
    }
    if (Control<QPlainTextEdit>(card, res::IDC_CARD_RESULT)->toPlainText().isEmpty()) {
        state.SkipWithError("Calculate showed no result");
    }
}

// The offscreen platform says at each opening that it raises no window.
void QuietAboutRaising(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (!text.startsWith("This plugin does not support")) {
        std::fputs(qFormatLogMessage(type, context, text).toLocal8Bit().append('\n').constData(),
                   stderr);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qInstallMessageHandler(QuietAboutRaising);
    QApplication application(argc, argv);
    const auto operations = orvelin::card::CardOperations();
    for (std::size_t i = 0; i < operations.size(); ++i) {
        benchmark::RegisterBenchmark(("BM_Calculate/" + std::string(operations[i].title)).c_str(),
                                     BM_Calculate, static_cast<int>(i))
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

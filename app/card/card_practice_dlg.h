// The card-practice dialog, template 131, written once for every toolkit: an
// operation of the card table chosen from a list, its inputs in the
// template's rows, Calculate and Example, and the lines tavik prints for the
// same inputs with the command line that prints them. It opens modeless
// beside the main window, which keeps it as a member; what was typed for
// each operation is kept while the program runs, and nothing is written.
#ifndef ORVELIN_CARD_PRACTICE_DLG_H
#define ORVELIN_CARD_PRACTICE_DLG_H

#include "card_operations.h"
#include "dialog_view.h"

#include <cstddef>
#include <string>
#include <vector>

class CCardPracticeDlg : public orvelin::DialogLogic {
  public:
    // Calculate calls through `library`, which must outlive the dialog.
    explicit CCardPracticeDlg(const orvelin::TavikAlgBinding& library);

    // Opens the dialog beside `owner`, or brings the open one to the front.
    void OpenBeside(orvelin::DialogView& owner);

    void OnInitDialog(orvelin::DialogView& view) override;
    bool OnCommand(int id) override;
    void OnChange(int id) override;

  private:
    void OnBnClickedCalculate();
    void OnBnClickedExample();
    void OnCbnSelchangeOperation();

    const orvelin::card::CardOperation& Chosen() const;
    orvelin::card::InputTexts& ChosenInputs() { return m_inputs[m_chosen]; }
    void ShowOperation();
    void ShowInputs();
    void ReadInputs();
    void ShowCommand();
    void ShowAnswer(const std::string& result, const std::string& steps);

    const orvelin::TavikAlgBinding& m_library;
    orvelin::DialogView* m_view = nullptr;
    std::size_t m_chosen = 0;
    // What was typed for each operation, in the table's order.
    std::vector<orvelin::card::InputTexts> m_inputs;
};

#endif

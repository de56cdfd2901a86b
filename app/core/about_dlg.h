// The about box, template 100: the program's name and copyright, and 确定,
// which closes it.
#ifndef ORVELIN_ABOUT_DLG_H
#define ORVELIN_ABOUT_DLG_H

#include "dialog_view.h"

class CAboutDlg : public orvelin::DialogLogic {
  public:
    // Runs the box over `owner` until 确定 or Escape closes it.
    int DoModal(orvelin::DialogView& owner);

    void OnInitDialog(orvelin::DialogView& view) override;
    bool OnCommand(int id) override;

  private:
    orvelin::DialogView* m_view = nullptr;
};

#endif

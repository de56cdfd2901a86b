// What every toolkit's view must do, checked through the view's calls alone
// over a small dialog of every kind of control; each toolkit's tests make the
// dialog and add what only its widgets show.
#ifndef ORVELIN_TESTS_VIEW_CONTRACT_H
#define ORVELIN_TESTS_VIEW_CONTRACT_H

#include "dialog_template.h"
#include "dialog_view.h"

#include <array>
#include <vector>

namespace view_contract {

namespace res = orvelin::res;

inline constexpr int kLabel = 2001;
inline constexpr int kPlain = 2002;
inline constexpr int kList = 2003;
inline constexpr int kHex = 2004;
inline constexpr int kReadOnly = 2005;
inline constexpr int kMultiLine = 2006;
inline constexpr int kBox = 2007;
inline constexpr int kGo = 2008;
inline constexpr int kWrapped = 2009;

const res::DialogTemplate& KindsDialog();

// Records each event the view passes on.
class RecordingLogic : public orvelin::DialogLogic {
  public:
    void OnInitDialog(orvelin::DialogView& view) override;
    bool OnCommand(int id) override;
    void OnChange(int id) override;

    orvelin::DialogView* view = nullptr;
    int initialised = 0;
    std::vector<int> commands;
    std::vector<int> changes;
};

// Every text-bearing kind gives back the text it was given, lines included.
void ExpectTextsRoundTrip(orvelin::DialogView& view);
// A drop-down list takes items and choices; out of range chooses none.
void ExpectListRoundTrips(orvelin::DialogView& view);
// The logic's own changes of every kind of control; none may reach OnChange.
// The list then holds three items, the second chosen.
void ChangeEverythingAsTheLogic(orvelin::DialogView& view);
// A missing identifier, IDC_STATIC, or a control of another kind than the
// call needs: no call throws, reads give the empty answer.
void ExpectWrongIdsIgnored(orvelin::DialogView& view);

} // namespace view_contract

#endif

// What tavik's exit status tells a script. A library that cannot be bound
// ends the program with the window's status instead (orvelin::kBindingFailureStatus).
#ifndef TAVIK_EXIT_STATUS_H
#define TAVIK_EXIT_STATUS_H

namespace orvelin::cli {

inline constexpr int kDone = 0;
inline constexpr int kRefused = 1;
inline constexpr int kWrongUsage = 2;

} // namespace orvelin::cli

#endif

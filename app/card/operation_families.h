// The operations' table in two parts, each in tavik's order: padding, MACs,
// CRC_B, check values and diversification; then DESFire EV2,
// GlobalPlatform and EMV. card_operations.cpp joins them.
#ifndef ORVELIN_CARD_OPERATION_FAMILIES_H
#define ORVELIN_CARD_OPERATION_FAMILIES_H

#include "card_operations.h"

#include <vector>

namespace orvelin::card {

std::vector<CardOperation> MacAndKeyOperations();
std::vector<CardOperation> SecureChannelOperations();

} // namespace orvelin::card

#endif

// tavik: the library's command line beside the Orvelin window.
#include "tavik_app.h"

#include <iostream>

int main(int argc, char* argv[]) {
    return orvelin::cli::RunTavik(argc, argv, std::cin, std::cout, std::cerr);
}

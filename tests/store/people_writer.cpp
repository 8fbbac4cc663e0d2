// A second program using the people store of $KALVORA_DATA_DIR, for the tests of two programs at once and of a
// folder the program may not write to.
//   people_writer add COUNT PREFIX   adds COUNT people named PREFIX-1 .. PREFIX-COUNT; status 3 when one fails
//   people_writer state              prints the state, the number of people and the problem
#include <cstdlib>
#include <iostream>
#include <string>

#include "store/people_store.h"

int main(int argc, char** argv) {
    using namespace kalvora;
    const std::string command = argc > 1 ? argv[1] : "";
    PeopleStore store;
    if (command == "state") {
        const char* names[] = {"ready", "read-only", "unavailable"};
        std::cout << names[static_cast<int>(store.State())] << '\n';
        if (store.State() != StoreState::Unavailable) std::cout << store.List().size() << '\n';
        std::cout << store.Problem() << '\n';
        return 0;
    }
    if (command == "add" && argc == 4) {
        const int count = std::atoi(argv[2]);
        for (int i = 1; i <= count; ++i) {
            Person p;
            p.name = std::string(argv[3]) + "-" + std::to_string(i);
            p.born = {1980, 1 + i % 12, 1 + i % 28, i % 24, i % 60};
            p.zone.offsetSeconds = 19800;
            try {
                store.Add(p);
            } catch (const StoreFailure& e) {
                std::cerr << e.what() << '\n';
                return 3;
            }
        }
        return 0;
    }
    std::cerr << "usage: people_writer add COUNT PREFIX | state\n";
    return 2;
}

#include "cli/commands.hpp"

int main(int argc, char** argv) {
    return planhost::RunPlanhost(argc, argv);
}

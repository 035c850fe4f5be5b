// The host's model: the loaded libraries, the databases' elements, undo, and the project file
// that keeps them. Pure C++; the entry table's element operations translate to and from it.
#pragma once

#include <string>
#include <vector>

namespace planhost {

struct ModelOptions {
    std::string projectPath = "plan.db";     // created when missing
    std::vector<std::string> libraryFolders;  // empty: the shipped default library
    bool noLibrary = false;                   // --library none
};

class Model {
public:
    explicit Model(const ModelOptions& options);  // opens the project, loads the libraries
    ~Model();
    // Commits the command's changes to the project in one transaction.
    void Commit();
};

}  // namespace planhost

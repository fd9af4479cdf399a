#pragma once

#include "projects/project_files.h"

#include <QString>

namespace kf {

struct Workspace;

namespace projects {

// The operator's projects (the items of Projekte, stored in reporting\projekte.txt) and the
// domains of the current project (the items of ListBox2, stored in
// reporting\<project>\domains.txt).
class ProjectLists {
public:
    explicit ProjectLists(Workspace &ws) : ws_(ws) {}

    void projectChanged(); // ProjekteChange: shows the domains of the project typed or chosen
    void projectEntered(); // ProjekteKeyDown, Return: adds the project and saves the list
    void domainEntered();  // Edit2KeyDown, Return: adds project and domain, saves both lists

private:
    Workspace &ws_;
};

// Writes the items of Projekte to reporting\projekte.txt, making the folder first. Also the first
// step of every "Check".
void saveProjectList(Workspace &ws);

} // namespace projects
} // namespace kf

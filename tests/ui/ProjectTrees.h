// Two versions of a small project for the tests of the module list and of the window's project
// comparison, written in the test's own folder:
//
//   v1/App.vbp  Name "App":  frmMain (+ frmMain.frx), modOld, src/cOrder.cls, modSame, modGone,
//                            cLost (named, missing)
//   v2/App.vbp  Name "App2": frmMain (P3 line 20 and P5 line 150 changed; frmMain.frx other
//                            bytes), modNew (modOld renamed, P2 line 3 changed),
//                            lib/cOrder.cls (moved, P4 line 7 changed), modSame, cAdded, cLost
//                            (named, missing)
//
// The list, by kind: Forms: # frmMain; Modules: - modGone, # modNew (renamed from modOld),
// = modSame; Classes: + cAdded, ! cLost, # cOrder (moved from src/cOrder.cls). Only modNew
// holds "Needle".
#pragma once

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "ProjectTestSupport.h"

namespace dualis::test {

// `procs` procedures of `lines` body lines each, "Sub <prefix>k()"; the lines of `changed`
// (procedure, line, from 1) end in a comment; `extra` is appended to the first line of P1.
inline std::vector<std::string> Body(const std::string& prefix, int procs, int lines,
                                     const std::set<std::pair<int, int>>& changed = {},
                                     const std::string& extra = "") {
    std::vector<std::string> body;
    for (int p = 1; p <= procs; ++p) {
        body.push_back("Sub " + prefix + std::to_string(p) + "()");
        for (int i = 1; i <= lines; ++i) {
            std::string line = "    x = " + std::to_string(p * 1000 + i);
            if (changed.count({p, i})) line += " ' changed";
            if (p == 1 && i == 1) line += extra;
            body.push_back(line);
        }
        body.push_back("End Sub");
    }
    return body;
}

struct ProjectVersions {
    ProjectVersions() {
        using project::test::BasText;
        using project::test::ClsText;
        using project::test::FrmText;
        tree.Write("v1/App.vbp",
                   project::test::CrLf(
                       {"Type=Exe", "Form=frmMain.frm", "Module=modOld; modOld.bas",
                        "Class=cOrder; src\\cOrder.cls", "Module=modSame; modSame.bas",
                        "Module=modGone; modGone.bas", "Class=cLost; cLost.cls", "Name=\"App\""}));
        tree.Write("v2/App.vbp",
                   project::test::CrLf({"Type=Exe", "Form=frmMain.frm", "Module=modNew; modNew.bas",
                                        "Class=cOrder; lib\\cOrder.cls",
                                        "Module=modSame; modSame.bas", "Class=cAdded; cAdded.cls",
                                        "Class=cLost; cLost.cls", "Name=\"App2\""}));
        tree.Write("v1/frmMain.frm", FrmText("frmMain", "frmMain.frx", Body("Form", 6, 200)));
        tree.Write("v2/frmMain.frm",
                   FrmText("frmMain", "frmMain.frx", Body("Form", 6, 200, {{3, 20}, {5, 150}})));
        tree.Write("v1/frmMain.frx", "icon one");
        tree.Write("v2/frmMain.frx", "icon two");
        tree.Write("v1/modOld.bas", BasText("modOld", Body("Old", 4, 10)));
        tree.Write("v2/modNew.bas", BasText("modNew", Body("Old", 4, 10, {{2, 3}}, " ' Needle")));
        tree.Write("v1/src/cOrder.cls", ClsText("cOrder", Body("Order", 5, 10)));
        tree.Write("v2/lib/cOrder.cls", ClsText("cOrder", Body("Order", 5, 10, {{4, 7}})));
        for (const char* v : {"v1", "v2"}) {
            tree.Write(std::string(v) + "/modSame.bas", BasText("modSame", Body("Same", 3, 5)));
        }
        tree.Write("v1/modGone.bas", BasText("modGone", Body("Gone", 2, 5)));
        tree.Write("v2/cAdded.cls", ClsText("cAdded", Body("Added", 2, 5)));
    }

    std::string Project(int version) const {
        return (tree / (version == 1 ? "v1/App.vbp" : "v2/App.vbp")).string();
    }
    std::string Folder(int version) const { return (tree / (version == 1 ? "v1" : "v2")).string(); }

    project::test::Tree tree;
};

}  // namespace dualis::test

#include "DataTool.h"

namespace pinstage {

int runDataTool(const std::vector<std::string>&, std::ostream&, std::ostream& err) {
    err << "commande inconnue\n";
    return 2;
}

} // namespace pinstage

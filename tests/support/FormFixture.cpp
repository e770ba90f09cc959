#include "FormFixture.h"

#include "results/ResultServices.h"
#include "search/SearchServices.h"

namespace zorvik::test {

void FormFixture::customise(Services& s) {
    installDefaultSearchServices(s);
    installDefaultResultServices(s, nullptr);
}

} // namespace zorvik::test

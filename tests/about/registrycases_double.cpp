// The registry case table through the registry double: the answers the
// system's registry must give too (registry_wine.sh compares them).
#include "fakeregistry.h"
#include "registrycases.h"

#include <iostream>

int main()
{
    testing::FakeRegistry registry;
    for (const auto &[name, value] : cases::environment)
        registry.environment[name] = value;
    for (const cases::Row &row : cases::rows()) {
        if (row.type)
            registry.set(row.key, row.value, row.type, row.bytes);
        else if (row.key == cases::caseKey)
            registry.addKey(row.key);
    }
    std::cout << cases::systemAnswers(registry);
    return 0;
}

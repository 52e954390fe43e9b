#include "LoadSteps.h"

#include "MMTS.h"
#include "ModuleState.h"
#include "PropertyCatalogue.h"

namespace vellbatchrule {

namespace LoadSteps {

void ReadSession()
{
    MMTS::ParsePropsString(MMTS::GetPropsString());
}

void LoadCatalogue()
{
    CurrentModuleState().propertyList = ValueBag();
    LoadingPropertyList();
}

}

}

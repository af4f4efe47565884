#include "data/package_resource_loader.h"

namespace corvane {

TPackageResourceLoader::TPackageResourceLoader(TResourceStore store, TFileTools fileTools)
    : TPackageSuperResourceLoader(std::move(store)), FileTools(std::move(fileTools)) {}

}  // namespace corvane

#include "platform/dialogtemplate.h"

#include <map>

namespace {

std::map<int, const DialogTemplate*>& DialogTemplates()
{
    static std::map<int, const DialogTemplate*> templates;
    return templates;
}

std::map<int, const IconResource*>& IconResources()
{
    static std::map<int, const IconResource*> icons;
    return icons;
}

} // namespace

void AddDialogTemplate(const DialogTemplate& dialogTemplate)
{
    DialogTemplates()[dialogTemplate.nId] = &dialogTemplate;
}

void AddIconResource(const IconResource& icon)
{
    IconResources()[icon.nId] = &icon;
}

const DialogTemplate* FindDialogTemplate(int nId)
{
    const auto it = DialogTemplates().find(nId);
    return it != DialogTemplates().end() ? it->second : nullptr;
}

const IconResource* FindIconResource(int nId)
{
    const auto it = IconResources().find(nId);
    return it != IconResources().end() ? it->second : nullptr;
}

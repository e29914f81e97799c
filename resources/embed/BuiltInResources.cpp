#include "platform/pictures/ResourceBundle.h"

// The block of built-in resources that the art generator wrote at build time,
// linked into read-only data as it stands: the pictures' pixels are read from
// the executable's own pages, which the system loads only when touched and
// shares between runs. KOLMIRA_RESOURCE_BLOCK is the block's file path;
// BundleReader::BuiltIn finds the block by its two labels.

static_assert(KOLMIRA_RESOURCE_ALIGNMENT == platform::kBundleAlignment,
              "the block must start on the boundary its entries keep");

#define KOLMIRA_STRINGIFY2(x) #x
#define KOLMIRA_STRINGIFY(x) KOLMIRA_STRINGIFY2(x)

__asm__(".section .rodata.kolmira_resources,\"a\",%progbits\n"
        ".balign " KOLMIRA_STRINGIFY(KOLMIRA_RESOURCE_ALIGNMENT) "\n"
        ".globl kolmira_resources_begin\n"
        ".hidden kolmira_resources_begin\n"
        "kolmira_resources_begin:\n"
        ".incbin \"" KOLMIRA_RESOURCE_BLOCK "\"\n"
        ".globl kolmira_resources_end\n"
        ".hidden kolmira_resources_end\n"
        "kolmira_resources_end:\n"
        ".previous\n");

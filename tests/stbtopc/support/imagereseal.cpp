#include "imagereseal.h"

#include <cstdint>
#include <cstring>
#include <initializer_list>

#include "flashstore.h"
#include "indexbank.h"
#include "wrapper.h"

void ResealIndexBanks() {
    for (const uint16_t sector : {DB_PRIMARY_BANK_SECTOR, DB_BACKUP_BANK_SECTOR}) {
        uint8_t* bank = g_FlashImage + (WRAP_SectorAddress(sector) - FLASH_DB_BASE);
        const uint32_t magic = IDXBANK_MAGIC;
        std::memcpy(bank + IDXBANK_OFFSET, &magic, sizeof magic);
        for (uint32_t k = 0; k < IDXBANK_SECTION_COUNT; ++k) {
            const auto crc =
                static_cast<uint16_t>(WRAP_Crc16(bank + DB_BankSectionOffset(k),
                                                 static_cast<uint16_t>(DB_BankSectionSize(k))) +
                                      IDXBANK_CHECKSUM_ADD);
            std::memcpy(bank + IDXBANK_CHECKSUM_OFFSET + 2 * k, &crc, sizeof crc);
        }
    }
}
